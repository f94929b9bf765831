// verdin-cli: converts COB files to DirectX .x files from the command line.
// Standard output carries exactly the job's report.

#include "base/FileSystemPath.h"
#include "base/StopSignals.h"
#include "base/Version.h"
#include "cli/ConsoleReport.h"
#include "cli/HintLines.h"
#include "convert/JobStarter.h"
#include "convert/ParallelJob.h"
#include "d3drm/BinaryXStep.h"
#ifdef _WIN32
#include "cli/WindowsConsole.h"
#endif

#include <CLI/CLI.hpp>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <future>
#include <iostream>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

std::atomic<int> g_cancel{0};
static_assert(std::atomic<int>::is_always_lock_free, "the cancel flag is set from a signal handler");

// An option with its "--no-" form; the last one given wins, --keep-look
// included, so each is set as it is read.
CLI::Option* AddSwitch(CLI::App& app, const std::string& name, bool& value, const std::string& help)
{
    return app.add_flag("--" + name + ",!--no-" + name, value, help)->trigger_on_parse();
}

// Help that names a switch's "--no-" form without the value it sets, which
// would read as the switch's default.
class SwitchFormatter : public CLI::Formatter {
public:
    std::string make_option_name(const CLI::Option* option, bool positional) const override
    {
        std::string name = CLI::Formatter::make_option_name(option, positional);
        for (std::size_t at; (at = name.find("{false}")) != std::string::npos;)
            name.erase(at, 7);
        return name;
    }
};

// The report done, what would mend the files that may not look right, then
// the exit status.
int EndJob(const verdin::JobOutcome& outcome)
{
    std::fflush(stdout);
    std::cerr << HintLines(outcome);
    return !outcome.aborted && outcome.converted == outcome.files ? 0 : 1;
}

// Each .x file replaced by its binary or text form, as the binary step does
// it, up to a stop signal; after it, "aborted.".
bool ConvertXFiles(const std::vector<std::string>& files, verdin::ReportLog& report, bool templates, bool toText)
{
    bool converted = true;
    for (const std::string& file : files) {
        if (g_cancel.load() != 0) {
            report.AppendLine("aborted.");
            return false;
        }
        report.AppendLine(file + ":");
        converted &= toText ? verdin::ConvertToTextX(report, file, templates)
                            : verdin::ConvertToBinaryX(report, file, templates);
    }
    return converted;
}

bool MakeOutputFolder(const std::string& folder)
{
    std::error_code error;
    const std::filesystem::path path = verdin::FileSystemPath(folder);
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path, error)) {
        const std::string reason = error ? error.message() : "it is no folder";
        std::cerr << "verdin-cli: cannot make the output folder " << folder << ": " << reason << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Large models free big arrays and allocate others; kept in the heap,
    // freed memory is used again instead of being faulted in afresh.
    mallopt(M_MMAP_MAX, 0);
#endif
#ifdef _WIN32
    // File names are UTF-8, the program's code page, which the C locale reads
    // byte by byte as the path helpers need.
    verdin::PrepareWindowsConsole();
#else
    std::setlocale(LC_ALL, "");  // file names follow the user's character set
#endif

    bool templates = true, binary = false, scaleRotation = true, position = false, ppm = false;
    bool newerMaterials = false, flipV = false, ascii = false;
    bool axes = false, hierarchy = false, fullMaterials = false, animation = false, summary = false;
    std::vector<std::string> files;

    CLI::App app("Converts COB files into DirectX .x files or glTF 2.0 files beside them, or in an output folder.",
                 "verdin-cli");
    app.formatter(std::make_shared<SwitchFormatter>());
    app.set_version_flag("--version", "verdin-cli " + std::string(verdin::kVersion));
    AddSwitch(app, "templates", templates, "Write the standard template block at the head of each file (default on)");
    AddSwitch(app, "binary", binary, "Save each .x file in the binary format (default off)");
    AddSwitch(app, "scale-rotation", scaleRotation, "Apply each object's scale and rotation (default on)");
    AddSwitch(app, "position", position, "Apply each object's position (default off)");
    AddSwitch(app, "ppm", ppm, "Convert BMP textures to PPM images (default off)");
    AddSwitch(app, "newer-materials", newerMaterials,
              "Read the materials of later versions of the modeller (Mat1 0.7 and 0.8; default off)");
    AddSwitch(app, "flip-v", flipV, "Write texture coordinates as (u, 1 - v), as later versions need (default off)");
    AddSwitch(app, "ascii", ascii, "Read COB files in the text (ASCII) form too (default off)");
    AddSwitch(app, "axes", axes,
              "Stand each .x model upright in DirectX's y-up, left-handed axes, unmirrored (default off; glTF always)");
    AddSwitch(app, "hierarchy", hierarchy,
              "Write a named .x frame for each group and object, placed by its matrix (default off; glTF always)");
    AddSwitch(app, "full-materials", fullMaterials,
              "Write each .x material's specular, emissive and opacity, and every mesh's texture coordinates "
              "(default off; glTF always)");
    AddSwitch(app, "animation", animation,
              "Write the model's moves and turns as .x animation keys, with --hierarchy (default off; glTF always, "
              "with its vertex animation)");
    AddSwitch(app, "summary", summary,
              "Report each kind of chunk left out once per file, with its count (default off; glTF always)");
    bool* const keptLook[] = {&newerMaterials, &flipV,         &ascii,     &position, &axes,
                              &hierarchy,      &fullMaterials, &animation, &summary};
    app.add_flag_function(
           "--keep-look,!--no-keep-look",
           [&keptLook](std::int64_t count) {
               for (bool* option : keptLook)
                   *option = count > 0;
           },
           "Turn on (--no-: off) every option that keeps a newer file's look: --newer-materials --flip-v --ascii "
           "--position --axes --hierarchy --full-materials --animation --summary")
        ->trigger_on_parse();
    std::string output = "x";
    app.add_option("--to", output,
                   "What each COB file becomes: x (a DirectX .x file), glb (a binary glTF 2.0 file) or gltf (a "
                   ".gltf file with its .bin and images beside it); default x")
        ->check(CLI::IsMember({"x", "glb", "gltf"}))
        ->type_name("FORMAT");
    int threads = 1;
    app.add_option("-j,--jobs", threads, "Convert on this many threads at once (the report keeps the file order)")
        ->check(CLI::Range(1, 256));
    std::string outputFolder;
    CLI::Option* outputOption =
        app.add_option(
               "-o,--output-dir", outputFolder,
               "Write the converted files, copied textures and PPM files into this folder (made if missing) instead of "
               "beside each COB file")
            ->type_name("DIR");
    bool xToBinary = false;
    CLI::Option* toBinaryOption =
        app.add_flag("--x-to-binary", xToBinary,
                     "Convert .x files (the FILEs: text, binary or compressed) to the binary format in place "
                     "instead; --templates decides whether their template definitions are kept")
            ->excludes(outputOption);
    bool xToText = false;
    app.add_flag("--x-to-text", xToText,
                 "Convert .x files (the FILEs: binary, compressed or text) to the text format in place instead; "
                 "--templates decides whether their template definitions are kept")
        ->excludes(outputOption)
        ->excludes(toBinaryOption);
    bool xToGlb = false;
    app.add_flag("--x-to-glb", xToGlb,
                 "Convert .x files (the FILEs: text, binary or compressed) to .glb files, beside each or in -o DIR, "
                 "the .x files left as they are. Without it too, a DirectX FILE becomes glTF: .gltf with --to gltf, "
                 "else .glb")
        ->excludes(toBinaryOption)
        ->excludes("--x-to-text");
    app.add_option("FILE", files, "COB files to convert, in this order")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return error.get_exit_code() == 0 ? status : 2;
    }

    // The first Ctrl+C, termination or hang-up lets the job stop cleanly after
    // the current file's work; the second ends the process at once.
    verdin::HandleStopSignals([] { g_cancel.store(1); });
    verdin::ConsoleReport report(stdout, g_cancel);
    if (xToBinary || xToText) {
        const bool converted = ConvertXFiles(files, report, templates, xToText);
        std::fflush(stdout);
        return converted ? 0 : 1;
    }

    if (!outputFolder.empty() && !MakeOutputFolder(outputFolder))
        return 2;

    verdin::OptionFlags options;
    options.AddTemplates = templates;
    options.BinaryXFile = binary;
    options.ScaleAndRotation = scaleRotation;
    options.Position = position;
    options.bPPM = ppm;
    options.NewerMaterials = newerMaterials;
    options.FlipV = flipV;
    options.Ascii = ascii;
    options.Axes = axes;
    options.Hierarchy = hierarchy;
    options.FullMaterials = fullMaterials;
    options.Animation = animation;
    options.Summary = summary;
    options.Output = output == "glb" ? verdin::kOutputGlb : output == "gltf" ? verdin::kOutputGltf : verdin::kOutputX;
    if (xToGlb)
        options.Output = verdin::kOutputGlb;

    std::promise<verdin::JobOutcome> ended;
    verdin::ConvertParams params;
    params.paths = files;
    params.report = &report;
    params.cancel = &g_cancel;
    params.options = &options;
    params.outputFolder = outputFolder;
    if (threads > 1) {
        return EndJob(verdin::RunParallelJob(params, threads));
    }
    params.endMessage = [&ended](const verdin::JobOutcome& outcome) { ended.set_value(outcome); };

    std::optional<std::thread> worker = verdin::StartConvertJob(params);
    if (!worker) {
        std::cerr << "verdin-cli: cannot start the conversion thread\n";
        return 1;
    }
    const verdin::JobOutcome outcome = ended.get_future().get();
    worker->join();
    return EndJob(outcome);
}
