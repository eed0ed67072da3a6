#pragma once
// The About dialog (template 100): its title is the language section's
// "About Title", controls 1001 to 1003 show "Version", "Copyrights" and
// "Copyrights Owner", and the picture 1004 shows "title.ico" from the
// current folder when it loads (else the template's icon). Only OK.
#include "app/DialogBuilder.h"

#include <QDialog>

struct AppState;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(AppState &app, QWidget *parent = nullptr);

    QWidget *Control(int id) const { return m_builder.Control(id); }

private:
    DialogBuilder m_builder;
};
