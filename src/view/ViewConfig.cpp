#include "ViewConfig.h"

#include "SettingValues.h"

#include <QSettings>

namespace {

// One row of the settings tables: the key and the field it fills.
template<class T> struct Key
{
    const char *name;
    T ViewConfig::*field;
};

// A number with the range of its spin box in the preferences dialog.
struct IntKey
{
    const char *name;
    qint32 ViewConfig::*field;
    int min, max;
};

const IntKey kIntKeys1[] = {
    {"pointThickness", &ViewConfig::pointThickness, 1, 30},
    {"selPointThickness", &ViewConfig::selPointThickness, 1, 30},
    {"lineThickness", &ViewConfig::lineThickness, 1, 20},
    {"boundLineThickness", &ViewConfig::boundLineThickness, 1, 20},
    {"axisThickness", &ViewConfig::axisThickness, 1, 20},
    {"printingQuality", &ViewConfig::printingQuality, 1, 64},
};
const IntKey kIsolineWidth = {"isoline_width", &ViewConfig::isoline_width, 1, 10};

// Only 1 asks for the Russian texts; any other value that is there, or one
// that cannot be read, means no translation. An absent key keeps the default.
Language languageValue(const QSettings &settings, Language fallback)
{
    if (!settings.contains(QStringLiteral("language")))
        return fallback;
    bool ok = false;
    const int value = settings.value(QStringLiteral("language")).toInt(&ok);
    return ok && value == int(Language::Russian) ? Language::Russian : Language::English;
}

constexpr int kJoinModes = 3; // the three JoinMode values
const Key<quint8> kBoolKeys1[] = {
    {"selActiveMat", &ViewConfig::selActiveMat},
    {"selAllPoints", &ViewConfig::selAllPoints},
    {"selVisiblePrims", &ViewConfig::selVisiblePrims},
    {"saveColorAsMat", &ViewConfig::saveColorAsMat},
    {"isBSPenable", &ViewConfig::isBSPenable},
    {"visOnlyOneModel", &ViewConfig::visOnlyOneModel},
    {"drawAllPoints", &ViewConfig::drawAllPoints},
    {"shade_type", &ViewConfig::shade_type},
    {"saveMatInOFF", &ViewConfig::saveMatInOFF},
    {"scaleToScreen", &ViewConfig::scaleToScreen},
};
const Key<quint8> kBoolKeys2[] = {
    {"autocenter", &ViewConfig::autocenter},
    {"tmatrix", &ViewConfig::tmatrix},
    {"neighOnFly", &ViewConfig::neighOnFly},
    {"loadAsCellFunc", &ViewConfig::loadAsCellFunc},
    {"onlyIntersectPlane", &ViewConfig::onlyIntersectPlane},
};
const Key<QString> kColorKeys[] = {
    {"axis", &ViewConfig::axis},
    {"backFaces", &ViewConfig::backFaces},
    {"background", &ViewConfig::background},
    {"boundaryEdges", &ViewConfig::boundaryEdges},
    {"clipPlane", &ViewConfig::clipPlane},
    {"frontFaces", &ViewConfig::frontFaces},
    {"edges", &ViewConfig::edges},
    {"points", &ViewConfig::points},
    {"selection", &ViewConfig::selection},
    {"selectionEdges", &ViewConfig::selectionEdges},
    {"pointCell", &ViewConfig::pointCell},
    {"isolines", &ViewConfig::isolines},
};

// The defaults of the settings file (which differ from the constructor's in
// "selVisiblePrims" and "isBSPenable").
const ViewConfig &fileDefaults()
{
    static const ViewConfig defaults = [] {
        ViewConfig c;
        c.selVisiblePrims = 1;
        c.isBSPenable = 1;
        return c;
    }();
    return defaults;
}

} // namespace

ViewConfig::Range ViewConfig::range(qint32 ViewConfig::*field)
{
    if (field == kIsolineWidth.field)
        return {kIsolineWidth.min, kIsolineWidth.max};
    for (const auto &k : kIntKeys1)
        if (k.field == field)
            return {k.min, k.max};
    return {};
}

void ViewConfig::read(QSettings &settings)
{
    using namespace SettingValues;
    const ViewConfig &d = fileDefaults();
    settings.beginGroup(QStringLiteral("Config"));
    for (const auto &k : kIntKeys1)
        this->*k.field = integer(settings, k.name, d.*k.field, k.min, k.max);
    for (const auto &k : kBoolKeys1)
        this->*k.field = flag(settings, k.name, d.*k.field);
    language = languageValue(settings, d.language);
    for (const auto &k : kBoolKeys2)
        this->*k.field = flag(settings, k.name, d.*k.field);
    join = JoinMode(choice(settings, "join", int(d.join), kJoinModes));
    func_isolines = flag(settings, "func_isolines", d.func_isolines);
    isoline_V = real(settings, "isoline_V", d.isoline_V, MinIsolineV, MaxIsolineV);
    isoline_width = integer(settings, kIsolineWidth.name, d.isoline_width, kIsolineWidth.min,
                            kIsolineWidth.max);
    grayScaleTexture = flag(settings, "grayScaleTexture", d.grayScaleTexture);
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Colors"));
    for (const auto &k : kColorKeys)
        this->*k.field = colour(settings, k.name, d.*k.field);
    settings.endGroup();
}

void ViewConfig::write(QSettings &settings) const
{
    settings.beginGroup(QStringLiteral("Config"));
    for (const auto &k : kIntKeys1)
        settings.setValue(k.name, this->*k.field);
    for (const auto &k : kBoolKeys1)
        settings.setValue(k.name, bool(this->*k.field));
    settings.setValue("language", int(language));
    for (const auto &k : kBoolKeys2)
        settings.setValue(k.name, bool(this->*k.field));
    settings.setValue("join", int(join));
    settings.setValue("func_isolines", bool(func_isolines));
    settings.setValue("isoline_V", isoline_V);
    settings.setValue("isoline_width", isoline_width);
    settings.setValue("grayScaleTexture", bool(grayScaleTexture));
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Colors"));
    for (const auto &k : kColorKeys)
        settings.setValue(k.name, this->*k.field);
    settings.endGroup();
}

Language ViewConfig::readLanguage(QSettings &settings)
{
    settings.beginGroup(QStringLiteral("Config"));
    const Language language = languageValue(settings, fileDefaults().language);
    settings.endGroup();
    return language;
}

void colorFromName(const QString &name, float rgba[4])
{
    for (int i = 0; i < 3; ++i)
        rgba[i] = float(name.mid(1 + 2 * i, 2).toInt(nullptr, 16)) / 255.0f;
    rgba[3] = 1.0f;
}
