#pragma once
// A modal dialog built from a template of the language bundle. F1 anywhere
// in it (an opened list included) asks help for the control that has the
// keyboard focus: its control identifier is the context, in the help file
// of the current language; the key then goes on as usual.
#include "app/DialogBuilder.h"

#include <QDialog>

struct AppState;

class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(AppState &app, int templateId, QWidget *parent);

    QWidget *Control(int id) const { return m_builder.Control(id); }
    template <class T> T *Get(int id) const { return m_builder.Get<T>(id); }

protected:
    // Keyboard focus to the first enabled control of the template, as every
    // opening of a dialog starts.
    void FocusFirstControl();
    bool eventFilter(QObject *watched, QEvent *event) override;

    AppState &m_app;
    DialogBuilder m_builder;
};
