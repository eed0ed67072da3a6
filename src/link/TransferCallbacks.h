#pragma once
// What the transfer engine asks of its caller. Every member may be left
// empty: an empty callback does nothing, an empty pump never cancels, an
// empty prompt answers Cancel.
#include <QString>
#include <functional>

namespace corvane {

class ProgressSink;

enum class PromptAnswer { Retry, Cancel };

struct TransferCallbacks {
    // Moves a half-edited cell into the grid; first step of every transfer.
    std::function<void()> commitPendingEdit;
    // Encodes the grid into the image; writes only, before the port opens.
    std::function<void()> commitToImage;
    // Decodes the image into the grid; after a completed read only.
    std::function<void()> refreshFromImage;
    // Clears the process-wide new-document flag; after a completed read.
    std::function<void()> clearNewDocumentFlag;
    // One pump pass: handles at most one pending message, then returns the
    // cancel flag (true: stop the transfer).
    std::function<bool()> pump;
    // The communication-error prompt (string 61451, Retry and Cancel).
    std::function<PromptAnswer()> commErrorPrompt;
    // Shows string-table message id with an OK button (61453, 61454).
    std::function<void(int id)> showMessage;
    // The same with what failed: for 61453 the port's account of the failed
    // open (device tried, the system's reason, what to do); for 61454 the
    // step that failed. Called instead of showMessage when set.
    std::function<void(int id, const QString &detail)> showMessageWithDetail;
    // Destroys the progress dialog; the last step of every transfer.
    std::function<void()> closeProgressDialog;
    // May be null.
    ProgressSink *progress = nullptr;
};

} // namespace corvane
