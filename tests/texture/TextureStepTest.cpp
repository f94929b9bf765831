#include "TextureTestSupport.h"

#include "base/PathHelpers.h"
#include "cob/Mat1Chunk.h"
#include "texture/TextureCopies.h"
#include "xfile/TextureStep.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace verdin::test {
namespace {

constexpr TextureScale kUnset{0.5f, 0.25f};

// A 3 x 5 bitmap: its copy is enlarged to 4 x 8.
const std::string kBitmap = BmpBuilder(NumberedPicture(3, 5)).ColoursUsed(16).Bytes();

// Makes the current folder another one for its lifetime.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(m_previous); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

// Texture files under textures/, the output file models/car.x.
class TextureStep : public ::testing::Test {
protected:
    TextureStep()
    {
        std::filesystem::create_directory(m_dir.Path("textures"));
        std::filesystem::create_directory(m_dir.Path("models"));
        m_material.m_textureMap.flags = CobMap::kUsed;
    }

    void Run(const std::string& texture)
    {
        m_material.m_textureMap.name.length = static_cast<std::int16_t>(texture.size());
        m_material.m_textureMap.name.text = texture;
        const std::string modelFolder = PathDirectory(m_output);
        RunTextureStep({m_report, modelFolder, m_output, m_scale, m_options.bPPM, m_options.Summary, m_stop, m_copies},
                       m_material);
    }

    std::string Texture() const
    {
        const CobString& name = m_material.m_textureMap.name;
        EXPECT_EQ(static_cast<std::size_t>(name.length), name.text.size());
        return name.text;
    }
    std::vector<std::string> Models() const { return FilesIn(m_dir.Path("models")); }
    void PpmOption(bool on) { m_options.bPPM = on ? 1 : 0; }

    TempDir m_dir;
    StringReport m_report;
    OptionFlags m_options;
    std::atomic<int> m_stop{0};
    TextureCopies m_copies;
    CMat1Chunk m_material;
    TextureScale m_scale = kUnset;
    std::string m_output = m_dir.Path("models/car.x");
    std::string m_source = m_dir.Path("textures/wood.bmp");
    std::string m_copy = m_dir.Path("models/wood.bmp");
};

TEST_F(TextureStep, ABitmapIsCopiedEnlargedAndConverted)
{
    PpmOption(true);
    ASSERT_TRUE(WriteBytes(m_source, kBitmap));
    Run(m_source);
    EXPECT_EQ(m_report.Text(), " copy " + m_source + " to " + m_copy + ".\r\n converted " + m_copy + " to ppm.\r\n");
    EXPECT_EQ(ReadFile(m_source), kBitmap);
    EXPECT_EQ(Models(), (std::vector<std::string>{"wood.bmp", "wood.ppm"}));
    EXPECT_EQ(DecodeBmp(ReadFile(m_copy)).width, 4);
    const auto ppm = ParsePpm(ReadFile(m_dir.Path("models/wood.ppm")));
    ASSERT_TRUE(ppm);
    EXPECT_EQ(ppm->height, 8);
    EXPECT_EQ(m_scale.u, 0.75f);
    EXPECT_EQ(m_scale.v, 0.625f);
    EXPECT_EQ(Texture(), m_dir.Path("textures/wood.ppm"));
}

TEST_F(TextureStep, WithoutThePpmOptionTheMaterialKeepsTheBitmap)
{
    ASSERT_TRUE(WriteBytes(m_source, kBitmap));
    Run(m_source);
    EXPECT_EQ(m_report.Text(), " copy " + m_source + " to " + m_copy + ".\r\n");
    EXPECT_EQ(Models(), std::vector<std::string>{"wood.bmp"});
    EXPECT_EQ(DecodeBmp(ReadFile(m_copy)).height, 8);
    EXPECT_EQ(m_scale.v, 0.625f);
    EXPECT_EQ(Texture(), m_source);
}

TEST_F(TextureStep, AMissingBitmapCannotBeCopied)
{
    PpmOption(true);
    Run(m_source);
    EXPECT_EQ(m_report.Text(), " Can't copy " + m_source + " file to " + m_copy + ".\r\n");
    EXPECT_TRUE(Models().empty());
    EXPECT_EQ(m_scale.u, kUnset.u);
    EXPECT_EQ(Texture(), m_source);
}

TEST_F(TextureStep, AWindowsPathKeepsOnlyItsFileNameInTheOutputFolder)
{
    Run("C:\\tex\\wood.bmp");
    EXPECT_EQ(m_report.Text(), " Can't copy C:\\tex\\wood.bmp file to " + m_copy + ".\r\n");
}

// Beside the model converted beside it: the model's own image is the texture
// as it is, under whatever spelling the model names it.
TEST_F(TextureStep, TheModelsOwnImageIsNeitherCopiedNorEnlarged)
{
    PpmOption(true);
    ASSERT_TRUE(WriteBytes(m_copy, kBitmap));
    const std::string spelling = m_dir.Path("models/./wood.bmp");
    Run(spelling);
    EXPECT_EQ(m_report.Text(), " copy " + spelling + " to " + m_copy + ".\r\n " + m_copy +
                                   " is the model's own image: not enlarged.\r\n converted " + m_copy + " to ppm.\r\n");
    EXPECT_EQ(ReadFile(m_copy), kBitmap);
    EXPECT_EQ(m_scale.u, kUnset.u);
    EXPECT_EQ(ParsePpm(ReadFile(m_dir.Path("models/wood.ppm")))->width, 3);
    EXPECT_EQ(Texture(), m_dir.Path("models/./wood.ppm"));
}

// The model's folder before the current one: another wood.bmp where the
// program runs does not stand in for the model's.
TEST_F(TextureStep, ARelativeNameIsLookedForBesideTheModelFirst)
{
    ASSERT_TRUE(WriteBytes(m_copy, kBitmap));
    ASSERT_TRUE(WriteBytes(m_source, BmpBuilder(NumberedPicture(2, 2)).Bytes()));
    const CurrentFolder current(m_dir.Path("textures"));
    Run("wood.bmp");
    EXPECT_EQ(m_report.Text(),
              " copy " + m_copy + " to " + m_copy + ".\r\n " + m_copy + " is the model's own image: not enlarged.\r\n");
    EXPECT_EQ(ReadFile(m_copy), kBitmap);
}

// What a model names is copied only when it is an image, never with wider
// permissions, and never over a file that is no image.
TEST_F(TextureStep, OnlyImagesAreCopiedAndNoWiderThanTheirSource)
{
    using std::filesystem::perms;
    const std::string secret = m_dir.Path("textures/wood.bmp");
    ASSERT_TRUE(WriteBytes(secret, "root:$6$secret:19000:0:99999:7:::\n"));
    Run(secret);
    EXPECT_EQ(m_report.Text(), " Can't copy " + secret + " file to " + m_copy + ".\r\n");
    EXPECT_TRUE(Models().empty());

    ASSERT_TRUE(WriteBytes(secret, kBitmap));
    std::filesystem::permissions(secret, perms::owner_read);
    ASSERT_TRUE(WriteBytes(m_copy, "notes the user keeps"));
    Run(secret);
    EXPECT_EQ(ReadFile(m_copy), "notes the user keeps");
    std::filesystem::remove(m_copy);
    m_report.ClearText();
    Run(secret);
    Run(secret);  // the owner may write the copy: a second conversion replaces it
    EXPECT_EQ(m_report.Text().find("Can't"), std::string::npos) << m_report.Text();
    EXPECT_EQ(std::filesystem::status(m_copy).permissions(), perms::owner_read | perms::owner_write);

    m_stop = 1;
    std::filesystem::remove(m_copy);
    Run(secret);
    EXPECT_FALSE(std::filesystem::exists(m_copy));
}

// Two images of one name from different folders each keep a copy; a name
// that would break the .x file is mended in the copy's name.
TEST_F(TextureStep, ImagesOfOneNameGetNumberedCopies)
{
    ASSERT_TRUE(WriteBytes(m_source, kBitmap));
    std::filesystem::create_directory(m_dir.Path("other"));
    const std::string other = m_dir.Path("other/wood.bmp");
    ASSERT_TRUE(WriteBytes(other, BmpBuilder(NumberedPicture(2, 2)).Bytes()));
    Run(m_source);
    Run(other);
    Run(m_source);
    EXPECT_EQ(Texture(), m_source);
    Run(other);
    EXPECT_EQ(Texture(), "wood-2.bmp");
    EXPECT_EQ(DecodeBmp(ReadFile(m_copy)).width, 4);
    EXPECT_EQ(DecodeBmp(ReadFile(m_dir.Path("models/wood-2.bmp"))).width, 2);

    const std::string odd = m_dir.Path("textures/a\"b\nc.bmp");
    ASSERT_TRUE(WriteBytes(odd, kBitmap));
    Run(odd);
    EXPECT_EQ(ReadFile(m_dir.Path("models/a_b_c.bmp")), ReadFile(m_dir.Path("models/wood.bmp")));
}

// Named as a file of another machine, found beside the model whatever the case.
TEST_F(TextureStep, ATextureNotFoundAsNamedIsTakenFromTheModelsFolder)
{
    const std::string beside = m_dir.Path("models/wood.bmp");
    ASSERT_TRUE(WriteBytes(beside, kBitmap));
    const std::string copy = m_dir.Path("models/WOOD.BMP");
    Run("C:\\tex\\WOOD.BMP");
    EXPECT_EQ(m_report.Text(), " copy " + beside + " to " + copy + ".\r\n");
    EXPECT_EQ(DecodeBmp(ReadFile(copy)).width, 4);
    EXPECT_EQ(ReadFile(beside), kBitmap);
}

TEST_F(TextureStep, AnUpperCaseBitmapNameEndsInLowerCasePpm)
{
    PpmOption(true);
    ASSERT_TRUE(WriteBytes(m_dir.Path("textures/WOOD.BMP"), kBitmap));
    Run(m_dir.Path("textures/WOOD.BMP"));
    EXPECT_EQ(Models(), (std::vector<std::string>{"WOOD.BMP", "WOOD.ppm"}));
    EXPECT_EQ(Texture(), m_dir.Path("textures/WOOD.ppm"));
}

TEST_F(TextureStep, AnExistingCopyIsOverwritten)
{
    ASSERT_TRUE(WriteBytes(m_source, kBitmap));
    ASSERT_TRUE(WriteBytes(m_copy, BmpBuilder(NumberedPicture(1, 1)).Bytes()));
    Run(m_source);
    EXPECT_EQ(DecodeBmp(ReadFile(m_copy)).picture.size(), 8u);
}

TEST_F(TextureStep, OtherFormatsAreCopiedThenRefused)
{
    PpmOption(true);
    const std::string source = m_dir.Path("textures/sky.tga");
    ASSERT_TRUE(WriteBytes(source, kBitmap));
    Run(source);
    const std::string copy = m_dir.Path("models/sky.tga");
    EXPECT_EQ(m_report.Text(), " copy " + source + " to " + copy + ".\r\n No support tga texture file format.\r\n");
    EXPECT_EQ(ReadFile(copy), kBitmap);
    EXPECT_EQ(m_scale.u, kUnset.u);
    EXPECT_EQ(Texture(), source);

    // A summary does not call unsupported what readers take as it is.
    m_options.Summary = 1;
    m_report.ClearText();
    Run(source);
    EXPECT_EQ(m_report.Text(), " copy " + source + " to " + copy + ".\r\n");
}

TEST_F(TextureStep, AMissingTextureOfAnyFormatCannotBeCopied)
{
    for (const char* name : {"wood.ppm", "dwarf.jpg"}) {
        m_report.ClearText();
        const std::string source = m_dir.Path("textures/") + name;
        Run(source);
        EXPECT_EQ(m_report.Text(), " Can't copy " + source + " file to " + m_dir.Path("models/") + name + ".\r\n");
    }
    EXPECT_TRUE(Models().empty());
}

TEST_F(TextureStep, ABitmapNamedPpmBecomesARealPpm)
{
    PpmOption(true);
    const std::string source = m_dir.Path("textures/wood.ppm");
    const std::string copy = m_dir.Path("models/wood.ppm");
    ASSERT_TRUE(WriteBytes(source, kBitmap));
    Run(source);
    EXPECT_EQ(m_report.Text(), " copy " + source + " to " + copy + ".\r\n converted " + copy + " to ppm.\r\n");
    const auto ppm = ParsePpm(ReadFile(copy));
    ASSERT_TRUE(ppm);
    EXPECT_EQ(ppm->width, 4);
    EXPECT_EQ(Models(), std::vector<std::string>{"wood.ppm"});
}

TEST_F(TextureStep, ABitmapTheExpanderRefusesIsNotConverted)
{
    PpmOption(true);
    std::string bytes = kBitmap;
    PutUint16(bytes, kBiBitCount, 4);
    ASSERT_TRUE(WriteBytes(m_source, bytes));
    Run(m_source);
    EXPECT_EQ(m_report.Text(),
              " copy " + m_source + " to " + m_copy + ".\r\nBmp must be 8bit/pixel at BitmapExpander.\r\n");
    EXPECT_EQ(Models(), std::vector<std::string>{"wood.bmp"});
    EXPECT_EQ(m_scale.u, kUnset.u);
    EXPECT_EQ(Texture(), m_source);
}

TEST_F(TextureStep, APathWithoutFolderIsTakenFromTheCurrentFolder)
{
    ASSERT_TRUE(WriteBytes(m_source, kBitmap));
    const CurrentFolder current(m_dir.Path("textures"));
    Run("wood.bmp");
    EXPECT_EQ(m_report.Text(), " copy wood.bmp to " + m_copy + ".\r\n");
    EXPECT_EQ(DecodeBmp(ReadFile(m_copy)).width, 4);
}

TEST_F(TextureStep, AnEmptyTexturePathIsReportedAndNothingCopied)
{
    PpmOption(true);
    Run("");
    EXPECT_EQ(m_report.Text(), " No texture file name.\r\n");
    EXPECT_TRUE(Models().empty());
    EXPECT_EQ(m_scale.u, kUnset.u);
}

}  // namespace
}  // namespace verdin::test
