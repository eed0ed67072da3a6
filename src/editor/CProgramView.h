#pragma once
// The channel view: the grid of 200 channels over the document's image.
// Placeholder until the channel grid lands; the public interface is the one
// the frame relies on.
#include "image/ChannelTable.h"

#include <QWidget>

class CProgramDoc;
struct AppState;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    CProgramView(CProgramDoc &doc, AppState &app, QWidget *parent = nullptr);

    CProgramDoc &GetDocument() { return m_doc; }
    // Fills the grid from the image (RefreshFromImage): channel texts, band
    // limits and the application caption.
    void OnInitialUpdate();
    void RefreshFromImage();
    // Completes the pending cell edit, then encodes the grid into the image.
    void CommitToImage();
    // Commits the open in-cell editor; true when a frequency was rejected.
    bool OnLeaveCell();

    int m_nBandLow = 0;
    int m_nBandHigh = 0;
    QString m_strPort = QStringLiteral("COM1");

protected:
    CProgramDoc &m_doc;
    AppState &m_app;
    corvane::ChannelTable m_table;
};
