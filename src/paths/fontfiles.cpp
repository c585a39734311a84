#include "fontfiles.h"

#include <QFile>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <memory>

namespace {

template<typename T, void (*destroy)(T *)> struct Deleter
{
    void operator()(T *p) const { destroy(p); }
};
using Config = std::unique_ptr<FcConfig, Deleter<FcConfig, FcConfigDestroy>>;
using Pattern = std::unique_ptr<FcPattern, Deleter<FcPattern, FcPatternDestroy>>;
using ObjectSet = std::unique_ptr<FcObjectSet, Deleter<FcObjectSet, FcObjectSetDestroy>>;
using FontSet = std::unique_ptr<FcFontSet, Deleter<FcFontSet, FcFontSetDestroy>>;

} // namespace

QString FontFiles::regularFace(const QString &family, const QString &configFile)
{
    Config own;
    if (configFile.isEmpty()) {
        if (!FcInit()) // the system's configuration, loaded once per program
            return {};
    } else {
        own.reset(FcConfigCreate());
        const QByteArray path = QFile::encodeName(configFile);
        if (!own
            || !FcConfigParseAndLoad(own.get(), reinterpret_cast<const FcChar8 *>(path.data()),
                                     FcFalse)
            || !FcConfigBuildFonts(own.get()))
            return {};
    }
    FcConfig *const config = own.get(); // null: the system's

    const QByteArray name = family.toUtf8();
    const Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.data()));
    const ObjectSet objects(FcObjectSetBuild(FC_FILE, FC_WEIGHT, FC_SLANT, nullptr));
    const FontSet fonts(FcFontList(config, pattern.get(), objects.get()));
    if (!fonts)
        return {};

    QString best;
    int bestDistance = 0;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8 *file = nullptr;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(fonts->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(fonts->fonts[i], FC_SLANT, 0, &slant);
        if (slant != FC_SLANT_ROMAN
            || FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        const int distance = std::abs(weight - FC_WEIGHT_REGULAR);
        if (best.isEmpty() || distance < bestDistance) {
            best = QFile::decodeName(reinterpret_cast<const char *>(file));
            bestDistance = distance;
        }
    }
    return best;
}
