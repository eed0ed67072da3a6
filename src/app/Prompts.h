#pragma once
// The questions the program puts to the user and the restart after a change
// of language, as replaceable functions: the desktop program uses message
// boxes, file dialogs and a new process; tests and scripted runs answer
// without blocking.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

class LanguageBundle;
class QWidget;

struct Prompts {
    // Shows `text` with `buttons`; returns the button chosen.
    using Message = std::function<QMessageBox::StandardButton(
        QWidget *parent, const QString &caption, const QString &text, QMessageBox::StandardButtons buttons)>;
    // Asks for a file name; an empty result means cancelled.
    using FileName = std::function<QString(QWidget *parent, const QString &title,
                                           const QString &proposed, const QString &filter)>;
    // Starts `program` as a new process; false when it could not start.
    using Start = std::function<bool(const QString &program)>;
    // Shows `lead` above a scrollable list of `lines`, with an OK button.
    using List = std::function<void(QWidget *parent, const QString &caption, const QString &lead,
                                    const QStringList &lines)>;
    // Asks for a file name to save under one of `filters`; `chosen` names
    // the filter offered first and, on return, the one picked. An empty
    // result means cancelled.
    using TypedFileName = std::function<QString(QWidget *parent, const QString &title, const QString &proposed,
                                                const QStringList &filters, int &chosen)>;

    Message message;
    FileName openFile;
    FileName saveFile;
    Start restart;
    List list;                   // may be empty: ShowList falls back to message
    TypedFileName saveFileTyped; // may be empty: SaveFileTyped falls back to saveFile

    void ShowList(QWidget *parent, const QString &caption, const QString &lead, const QStringList &lines) const;
    QString SaveFileTyped(QWidget *parent, const QString &title, const QString &proposed, const QStringList &filters,
                          int &chosen) const;
    // A name given without extension gets `extension` (".dat"), and then,
    // as the file dialog could not ask, replacing an existing file is
    // asked here: `question` with %1 the file, Yes or No. Empty when the
    // answer is No.
    QString WithExtension(QWidget *parent, const QString &path, const QString &extension, const QString &caption,
                          const QString &question) const;

    // Message boxes, file dialogs, QProcess::startDetached. The buttons of
    // the message boxes read the string table of `strings` once it is
    // loaded (Save, Discard, Cancel, OK, Yes, No). A file name typed without
    // extension into the save dialog gets the filter's extension before the
    // dialog asks whether to replace an existing file. Lists show in a
    // dialog with a read-only text area.
    static Prompts Interactive(const LanguageBundle *strings = nullptr);
    // Messages go to standard error and take their default answer (OK);
    // file questions are cancelled; restarts really start the program.
    static Prompts Scripted();
};
