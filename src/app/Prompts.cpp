#include "app/Prompts.h"

#include "app/LanguageBundle.h"

#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdio>

namespace {

bool StartDetached(const QString &program)
{
    return QProcess::startDetached(program, {});
}

void TranslateButtons(QMessageBox &box, const LanguageBundle *strings)
{
    if (!strings || !strings->IsLoaded())
        return;
    const struct { QMessageBox::StandardButton button; int id; } texts[] = {
        {QMessageBox::Save, Ids::ButtonSave}, {QMessageBox::Discard, Ids::ButtonDiscard},
        {QMessageBox::Cancel, Ids::ButtonCancel}, {QMessageBox::Ok, Ids::ButtonOk},
        {QMessageBox::Yes, Ids::ButtonYes}, {QMessageBox::No, Ids::ButtonNo},
    };
    for (const auto &t : texts) {
        QAbstractButton *b = box.button(t.button);
        const QString text = strings->String(t.id);
        if (b && !text.isEmpty())
            b->setText(text);
    }
}

// "Data (*.dat)" -> "dat": the first pattern's extension.
QString FilterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

Prompts Prompts::Interactive(const LanguageBundle *strings)
{
    Prompts p;
    p.message = [strings](QWidget *parent, const QString &caption, const QString &text,
                          QMessageBox::StandardButtons buttons) {
        const QMessageBox::Icon icon = buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Question
                                                                              : QMessageBox::Warning;
        QMessageBox box(icon, caption, text, buttons, parent);
        TranslateButtons(box, strings);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    p.openFile = [](QWidget *parent, const QString &title, const QString &proposed, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, proposed, filter);
    };
    p.saveFile = [](QWidget *parent, const QString &title, const QString &proposed, const QString &filter) {
        QFileDialog dialog(parent, title, proposed, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The extension is added before the dialog's own "replace?" check.
        dialog.setDefaultSuffix(FilterSuffix(filter));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
    p.restart = StartDetached;
    return p;
}

Prompts Prompts::Scripted()
{
    Prompts p;
    p.message = [](QWidget *, const QString &caption, const QString &text, QMessageBox::StandardButtons buttons) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::NoButton;
    };
    p.openFile = [](QWidget *, const QString &, const QString &, const QString &) { return QString(); };
    p.saveFile = p.openFile;
    p.restart = StartDetached;
    return p;
}
