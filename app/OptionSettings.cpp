#include "app/OptionSettings.h"

#include <QSettings>

#include <array>

namespace verdin {

namespace {

struct OptionValue {
    const char* key;
    std::atomic<int> OptionFlags::*flag;
    int defaultValue;
};

// Read and written in this order.
constexpr std::array<OptionValue, 14> kOptionValues = {{
    {"AddTemplates", &OptionFlags::AddTemplates, 1},
    {"BinaryXFile", &OptionFlags::BinaryXFile, 0},
    {"ScaleAndRotation", &OptionFlags::ScaleAndRotation, 1},
    {"Position", &OptionFlags::Position, 0},
    {"bPPM", &OptionFlags::bPPM, 0},
    {"NewerMaterials", &OptionFlags::NewerMaterials, 0},
    {"FlipV", &OptionFlags::FlipV, 0},
    {"Ascii", &OptionFlags::Ascii, 0},
    {"Output", &OptionFlags::Output, kOutputX},
    {"Axes", &OptionFlags::Axes, 0},
    {"Hierarchy", &OptionFlags::Hierarchy, 0},
    {"FullMaterials", &OptionFlags::FullMaterials, 0},
    {"Animation", &OptionFlags::Animation, 0},
    {"Summary", &OptionFlags::Summary, 0},
}};

}  // namespace

void LoadOptions(OptionFlags& options)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Settings"));
    for (const OptionValue& value : kOptionValues) {
        bool valid = false;
        const int stored = settings.value(QLatin1String(value.key)).toInt(&valid);
        (options.*value.flag).store(valid ? stored : value.defaultValue, std::memory_order_relaxed);
    }
    // A format this version does not write, from a later one or an edit.
    if (const int output = options.Output.load(); output < kOutputX || output > kOutputGltf)
        options.Output.store(kOutputX);
}

void SaveOptions(const OptionFlags& options)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Settings"));
    for (const OptionValue& value : kOptionValues)
        settings.setValue(QLatin1String(value.key), (options.*value.flag).load(std::memory_order_relaxed));
}

void CopyOptions(const OptionFlags& from, OptionFlags& to)
{
    for (const OptionValue& value : kOptionValues)
        (to.*value.flag).store((from.*value.flag).load(std::memory_order_relaxed), std::memory_order_relaxed);
}

void KeepTheLook(OptionFlags& options)
{
    for (std::atomic<int> OptionFlags::*kept : kLookKeepingOptions)
        (options.*kept).store(1, std::memory_order_relaxed);
}

QString LoadOutputFolder()
{
    return QSettings().value(QStringLiteral("Settings/OutputFolder")).toString();
}

void SaveOutputFolder(const QString& folder)
{
    QSettings().setValue(QStringLiteral("Settings/OutputFolder"), folder);
}

}  // namespace verdin
