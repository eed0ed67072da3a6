#pragma once
// Per-user values kept between runs: "com", "Type", "Field", each a 32-bit
// number, and texts such as the last folder a file was opened from or
// saved to, under the group "Software/" + AppName of a per-user QSettings
// file.
// The file is Corvane/user.ini in the user's configuration folder
// (XDG_CONFIG_HOME), so tests point it elsewhere through that variable.
#include <QString>
#include <cstdint>

class UserStore {
public:
    explicit UserStore(const QString &appName);

    // False (and out untouched) when the value is missing or not a number.
    bool ReadNumber(const QString &name, uint32_t &out) const;
    void WriteNumber(const QString &name, uint32_t value);
    // An empty text when the value is missing.
    QString ReadText(const QString &name) const;
    void WriteText(const QString &name, const QString &value);

    static QString FilePath();

private:
    QString m_group;
};
