#pragma once
// The user manual and its map from help contexts to pages.
//
// The manual is plain HTML, one folder per language ("English/",
// "Chinese/", the same page names and anchors in both), and one map,
// "contexts.txt", that names for every help context (a control or command
// identifier, or the frame's context) the page and anchor that explains it:
//
//   ; comment
//   57600 commands.html#new     File > New
//
// one context a line: the number, the target, then anything (a note).
// The help file names the language: "chHelp.chm" is Chinese, every other
// name English.
//
// The manual lies in "help/" beside the program (the build tree) or, for a
// program installed in <prefix>/lib/corvane/, in <prefix>/share/corvane/help/.
#include "image/Result.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>

class HelpTopics {
public:
    static constexpr const char *kContentsPage = "index.html";
    static constexpr const char *kMapFile = "contexts.txt";

    // "English" or "Chinese" for a help file name.
    static QString LanguageOf(const QString &helpFile);
    // The folders looked in for the manual, in order.
    static QStringList Candidates(const QString &programFolder);
    // The first candidate that holds the map; empty when none does.
    static QString Folder(const QString &programFolder);

    // Reads the map of `folder`. Status::FileError when it cannot be read,
    // Status::Rejected naming the line when a line is not "<number> <page>".
    corvane::Result Load(const QString &folder);

    bool Has(int context) const { return m_targets.contains(context); }
    QList<int> Contexts() const { return m_targets.keys(); }
    // "page.html#anchor" of a context; the contents page for one the map
    // does not name.
    QString Target(int context) const;
    // The page file of a target in a language, without its anchor.
    QString PageFile(const QString &language, const QString &target) const;
    // The page for (help file, context) as a file URL with its anchor.
    QUrl Url(const QString &helpFile, int context) const;

private:
    QString m_folder;
    QHash<int, QString> m_targets;
};
