#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's catalogue together with the matching locale (dates and sizes in the
// file dialogs); the locale before it comes back when the owner goes.
class QtCatalogue : public QTranslator {
public:
    using QTranslator::QTranslator;
    ~QtCatalogue() override { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

} // namespace

bool QtTranslations::Install(bool chinese, QObject *owner)
{
    if (!chinese || !QCoreApplication::instance())
        return false;
    const QLocale locale(QLocale::Chinese, QLocale::China);
    auto *catalogue = new QtCatalogue(owner);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!catalogue->load(locale, QStringLiteral("qt"), QStringLiteral("_"), folder)) {
        delete catalogue;
        return false;
    }
    // Removed from the application again when the catalogue goes.
    QCoreApplication::installTranslator(catalogue);
    QLocale::setDefault(locale);
    return true;
}
