#include "app/Prompts.h"

#include "app/LanguageBundle.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QVBoxLayout>
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

void ListDialog(QWidget *parent, const QString &caption, const QString &lead, const QStringList &lines,
                const LanguageBundle *strings)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(lead);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto *text = new QPlainTextEdit(lines.join(QLatin1Char('\n')));
    text->setReadOnly(true);
    text->setMinimumSize(680, 220);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    if (strings && strings->IsLoaded() && !strings->String(Ids::ButtonOk).isEmpty())
        buttons->button(QDialogButtonBox::Ok)->setText(strings->String(Ids::ButtonOk));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    dialog.exec();
}

} // namespace

void Prompts::ShowList(QWidget *parent, const QString &caption, const QString &lead, const QStringList &lines) const
{
    if (list)
        list(parent, caption, lead, lines);
    else
        message(parent, caption, lead + QLatin1Char('\n') + lines.join(QLatin1Char('\n')), QMessageBox::Ok);
}

QString Prompts::SaveFileTyped(QWidget *parent, const QString &title, const QString &proposed,
                               const QStringList &filters, int &chosen) const
{
    if (saveFileTyped)
        return saveFileTyped(parent, title, proposed, filters, chosen);
    return saveFile(parent, title, proposed, filters.join(QStringLiteral(";;")));
}

QString Prompts::WithExtension(QWidget *parent, const QString &path, const QString &extension, const QString &caption,
                               const QString &question) const
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    const QString named = path + extension;
    if (QFileInfo::exists(named) &&
        message(parent, caption, question.arg(QDir::toNativeSeparators(named)), QMessageBox::Yes | QMessageBox::No) !=
            QMessageBox::Yes)
        return QString();
    return named;
}

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
    p.saveFileTyped = [](QWidget *parent, const QString &title, const QString &proposed, const QStringList &filters,
                         int &chosen) {
        QFileDialog dialog(parent, title, proposed);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(chosen));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(FilterSuffix(filters.value(chosen)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &f) { dialog.setDefaultSuffix(FilterSuffix(f)); });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        chosen = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
        return dialog.selectedFiles().constFirst();
    };
    p.list = [strings](QWidget *parent, const QString &caption, const QString &lead, const QStringList &lines) {
        ListDialog(parent, caption, lead, lines, strings);
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
    p.list = [](QWidget *, const QString &caption, const QString &lead, const QStringList &lines) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(lead));
        for (const QString &line : lines)
            std::fprintf(stderr, "  %s\n", qUtf8Printable(line));
    };
    return p;
}
