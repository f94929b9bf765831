#include "base/PathHelpers.h"
#include "xfile/XFileWriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace verdin {
namespace {

TEST(PathHelpers, OutputNameReplacesOnlyTheExtensionOfTheFileName)
{
    EXPECT_EQ(XFileNameFor("D:\\models\\car.cob"), "D:\\models\\car.x");
    EXPECT_EQ(XFileNameFor("D:\\models\\car"), "D:\\models\\car.x");
    EXPECT_EQ(XFileNameFor("D:\\models\\.cob"), "D:\\models\\.cob.x");
    EXPECT_EQ(XFileNameFor("D:\\models.old\\car"), "D:\\models.old\\car.x");
    EXPECT_EQ(XFileNameFor("/home/me/models.old/car.COB"), "/home/me/models.old/car.x");
    EXPECT_EQ(XFileNameFor("archive.tar.cob"), "archive.tar.x");
    // In an output folder, however it ends.
    EXPECT_EQ(XFileNameFor("/home/me/models/car.cob", "/tmp/out/"), "/tmp/out/car.x");
    EXPECT_EQ(XFileNameFor("D:\\models\\car.cob", "E:"), "E:car.x");
#ifndef _WIN32
    EXPECT_EQ(XFileNameFor("car.cob", "out"), "out/car.x");
#endif
}

TEST(PathHelpers, BothSlashesSeparateDirectories)
{
    EXPECT_EQ(PathDirectory("/home/me/car.cob"), "/home/me/");
    EXPECT_EQ(PathDirectory("C:\\models/sub\\car.cob"), "C:\\models/sub\\");
    EXPECT_EQ(PathDirectory("C:/models\\sub/car.cob"), "C:/models\\sub/");
    EXPECT_EQ(PathFileName("textures\\wood.bmp"), "wood.bmp");
    EXPECT_EQ(PathFileName("textures/wood.bmp"), "wood.bmp");
    EXPECT_EQ(PathFileName("/"), "");
}

TEST(PathHelpers, DriveWithoutSeparatorIsTheDirectory)
{
    EXPECT_EQ(PathDirectory("C:car.cob"), "C:");
    EXPECT_EQ(PathFileName("C:car.cob"), "car.cob");
    EXPECT_EQ(XFileNameFor("C:car.cob"), "C:car.x");
    EXPECT_EQ(XFileNameFor("scan-12:30.cob"), "scan-12:30.x");
    EXPECT_EQ(PathDirectory("car.cob"), "");
    // A colon before a separator belongs to the directory part.
    EXPECT_EQ(PathDirectory("C:\\a:b\\car.cob"), "C:\\a:b\\");
}

TEST(PathHelpers, ExtensionNeedsADotAfterTheFirstCharacter)
{
    EXPECT_EQ(PathExtension("archive.tar.BMP"), "BMP");
    EXPECT_EQ(PathExtension(".bmp"), "");
    EXPECT_EQ(PathExtension("dir.d/.bmp"), "");
    EXPECT_EQ(PathExtension("noext"), "");
    EXPECT_EQ(PathExtension("trailing."), "");
    EXPECT_EQ(PathTitle("archive.tar.BMP"), "archive.tar");
    EXPECT_EQ(PathTitle(".bmp"), ".bmp");
    EXPECT_EQ(PathTitle("C:\\x\\..bmp"), ".");
}

// In Big5 the second byte of a character may be the code of "\": such a
// byte is part of the character, never a separator.
TEST(PathHelpers, TrailBytesOfDoubleByteCharactersAreNoSeparators)
{
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "zh_TW.BIG5") && !std::setlocale(LC_CTYPE, "zh_TW"))
        GTEST_SKIP() << "the zh_TW Big5 locale is not installed (./test.sh generates it)";

    const std::string xu = "\xB3\x5C";  // one Big5 character ending in 0x5C
    EXPECT_EQ(PathDirectory("models\\" + xu + ".cob"), "models\\");
    EXPECT_EQ(PathFileName("models\\" + xu + ".cob"), xu + ".cob");
    EXPECT_EQ(PathDirectory(xu + ".cob"), "");
    EXPECT_EQ(XFileNameFor("d\\" + xu + "\\" + xu + ".cob"), "d\\" + xu + "\\" + xu + ".x");

    std::setlocale(LC_CTYPE, "C");
    // Without a double-byte character set the same byte does separate.
    EXPECT_EQ(PathDirectory(xu + ".cob"), xu);
    std::setlocale(LC_CTYPE, saved.c_str());
}

}  // namespace
}  // namespace verdin
