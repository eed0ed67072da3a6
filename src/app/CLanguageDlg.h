#pragma once
// The Language dialog (template 134): radio buttons 1006 English and 1007
// Chinese in one group. OK with the other language selected sets the
// changed flag and stores the new name in "Setup"/"Language" of the
// settings store (in memory; the caller saves it before restarting).
// F1 asks help for context 32799.
#include "app/DialogBuilder.h"

#include <QDialog>

struct AppState;

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 32799;

    explicit CLanguageDlg(AppState &app, QWidget *parent = nullptr);

    int m_nIndex = 0;        // 0 English, 1 Chinese
    bool m_bChanged = false;

    QWidget *Control(int id) const { return m_builder.Control(id); }

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    AppState &m_app;
    DialogBuilder m_builder;
};
