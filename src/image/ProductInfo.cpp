#include "image/ProductInfo.h"

#include "app/AppState.h"
#include "image/ImagePasses.h"
#include "settings/UserStore.h"

namespace corvane {

QList<QByteArray> RadioTypeNames(const CProfileFile &settings)
{
    QList<QByteArray> names;
    for (int n = 1; n <= kMaxRadioTypes; ++n) {
        const QByteArray name = settings.GetString("Setup", "Type" + QByteArray::number(n));
        if (name.isEmpty())
            break;
        names << name;
    }
    return names;
}

QList<QByteArray> BandEntries(const CProfileFile &settings, int typeIndex)
{
    return settings.GetString("Setup", "Field" + QByteArray::number(typeIndex + 1)).split('|');
}

void ReadStoredProduct(const AppState &app, uint32_t &type, uint32_t &field)
{
    const UserStore store(CProfileFile::Decode(app.RegistryName()));
    if (!store.ReadNumber(QStringLiteral("Type"), type))
        type = 0;
    if (!store.ReadNumber(QStringLiteral("Field"), field))
        field = 0;
}

QString ProductCaption(const AppState &app, const QString &typeText, const QString &bandText)
{
    return app.LanguageText("AppName") + QStringLiteral("  [ Type:") + typeText + QStringLiteral("  Fre:")
           + bandText + QStringLiteral(" ]");
}

ProductOutcome ApplyProductChoice(const ProductChoice &choice, MemoryImage &image, const AppState &app)
{
    ProductOutcome out;
    if (choice.typeIndex < 0 || choice.bandIndex < 0)
        return out;
    image.setOption(Off::radioType, static_cast<uint8_t>(choice.typeIndex & 0xFF));
    image.setOption(Off::bandIndex, static_cast<uint8_t>(choice.bandIndex & 0xFF));
    int low = 0, high = 0;
    ScanBandEdges(choice.bandText, low, high);
    image.setBandLimits(low, high);

    out.applied = true;
    out.caption = ProductCaption(app, CProfileFile::Decode(choice.typeText), CProfileFile::Decode(choice.bandText));
    ViewBandLimits(choice.bandText, out.bandLow, out.bandHigh);

    UserStore store(CProfileFile::Decode(app.RegistryName()));
    store.WriteNumber(QStringLiteral("Type"), static_cast<uint32_t>(choice.typeIndex));
    store.WriteNumber(QStringLiteral("Field"), static_cast<uint32_t>(choice.bandIndex));
    return out;
}

} // namespace corvane
