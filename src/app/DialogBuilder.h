#pragma once
// Builds a dialog window from a template of the language bundle: caption,
// font, fixed size and every control at its place, with its text and its
// initial list items. Button 1 accepts and button 2 rejects the dialog, as
// OK and Cancel do; the dialog class adds the rest of its behaviour.
#include "app/DialogTemplate.h"

#include <QHash>
#include <QRect>
#include <QWidget>

class QButtonGroup;
class QDialog;
class QFont;

class DialogBuilder {
public:
    explicit DialogBuilder(QDialog *dialog) : m_dialog(dialog) {}

    // Loads template `id` from the bundle and builds it. On failure the
    // dialog stays empty and the result says why.
    corvane::Result Build(int id);
    void Build(const DialogTemplate &t);

    QWidget *Control(int id) const { return m_controls.value(id); }
    template <class T> T *Get(int id) const { return qobject_cast<T *>(Control(id)); }
    // Identifier of the control that is `o` or holds it (an opened list
    // belongs to its combo box); 0 when none does.
    int IdOf(const QObject *o) const;
    // The exclusive group a radio button belongs to; nullptr for others.
    QButtonGroup *RadioGroup(int radioId) const { return m_groups.value(radioId); }
    const DialogTemplate &Template() const { return m_template; }

    // Dialog units of `font` to pixels: x by a quarter of the average
    // character width, y by an eighth of the character height.
    static QRect ToPixels(const QFont &font, const QRect &units);

private:
    QWidget *Create(const DialogControl &c, QButtonGroup *&group);

    QDialog *m_dialog;
    DialogTemplate m_template;
    QHash<int, QWidget *> m_controls;
    QHash<int, QButtonGroup *> m_groups;
};
