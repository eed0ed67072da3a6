#pragma once
// The document: one memory image, created with the new-image defaults,
// loaded from and saved to a "*.dat" file. The channel grid is the working
// copy of the channel area; the caller encodes it (CommitToImage) before
// Save. The document tracks whether it differs from its file (the modified
// state): anything that changes the image or the grid's working copy marks
// it; New, Open and a successful Save clear it.
#include "image/MemoryImage.h"
#include "image/Result.h"

#include <QString>
#include <functional>

struct AppState;

class CProgramDoc {
public:
    corvane::MemoryImage m_image;

    // New image, title "Channel Information" / "信道信息", no file yet
    // (empty path), new-document flag set. Never fails.
    bool OnNewDocument(AppState &app);
    // Loads the file; on success sets path and title (the file name) and
    // clears the new-document flag. On failure nothing changes.
    corvane::Result OnOpenDocument(const QString &path, AppState &app);
    // Writes m_image to path atomically; on success the path is remembered.
    corvane::Result Save(const QString &path);

    bool IsModified() const { return m_modified; }
    // Sets the modified state; calls modifiedChanged when it flips.
    void SetModifiedFlag(bool modified = true);
    // May be empty; told the new state whenever it changes.
    std::function<void(bool modified)> modifiedChanged;
    // May be empty; told every call of SetModifiedFlag, also one that keeps
    // the state (the desktop program's undo history follows saves and
    // changes made outside it with this).
    std::function<void(bool modified)> modifiedSet;

    QString GetTitle() const { return m_title; }
    QString GetPathName() const { return m_path; }
    void SetTitle(const QString &t) { m_title = t; }

private:
    QString m_title;
    QString m_path;
    bool m_modified = false;
};
