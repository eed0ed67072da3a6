#pragma once
// Qt's own texts (standard buttons, file, print and page dialogs) in the
// interface language: for Chinese, Qt's "qt_zh_CN" catalogue from Qt's
// translations folder (Debian: package qt6-translations-l10n) is installed
// into the application, and dates and sizes follow the Chinese locale;
// English needs none, since Qt's texts are English.
class QObject;

namespace QtTranslations {

// Installs the catalogue for the language; it lives as long as `owner`,
// and the locale before it comes back when it goes. False when none is
// needed or the catalogue is not installed.
bool Install(bool chinese, QObject *owner);

} // namespace QtTranslations
