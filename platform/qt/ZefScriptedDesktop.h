// A desktop for tests: prepared answers per kind of request and a log of everything asked, so that no test
// ever waits on a modal window.
#pragma once

#include "ZefDesktop.h"

#include <QMimeData>
#include <QStringList>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

enum class TZefDesktopRequest { drBeep, drMessageBox, drInput, drOpenFile, drSaveFile, drFont, drColor,
                                drShellOpen, drSound, drDialog };

// One request as the program made it, with the answer it got.
struct TZefDesktopCall {
    TZefDesktopRequest request = TZefDesktopRequest::drBeep;
    TZefBeepKind beep = TZefBeepKind::bkDefault;
    QString caption;
    QString text;   // message text, input prompt, shell or sound path
    TZefMsgIcon icon = TZefMsgIcon::miNone;
    TZefMsgButtons buttons = mbNone;
    QString detail; // what else the request carried: initial value, folder and filter, font, colour
    QString answer; // the answer as text; "UNSCRIPTED" when none was prepared
};

// Raised by the default handler for a request that has no prepared answer (or an answer that does not fit).
class EZefUnscriptedRequest : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Answers are consumed first in, first out, separately per kind. A request without a prepared answer is a
// test fault: the handler is told (by default it throws EZefUnscriptedRequest); if it returns, the request
// answers as if cancelled (mbCancel when offered, else the first button; no text, file, font or colour;
// shell open fails). A message box answer the box does not offer is treated the same way.
class TZefScriptedDesktop : public TZefDesktop {
public:
    using TUnscriptedHandler = std::function<void(const QString& description)>;

    TZefScriptedDesktop();

    void AnswerMessageBox(TZefMsgButton button) { messageAnswers_.push_back(button); }
    void AnswerInput(std::optional<QString> text) { inputAnswers_.push_back(std::move(text)); }
    void AnswerOpenFile(std::optional<TZefFileChoice> choice) { openAnswers_.push_back(std::move(choice)); }
    void AnswerSaveFile(std::optional<TZefFileChoice> choice) { saveAnswers_.push_back(std::move(choice)); }
    void AnswerFont(std::optional<QFont> font) { fontAnswers_.push_back(std::move(font)); }
    void AnswerColor(std::optional<QColor> color) { colorAnswers_.push_back(std::move(color)); }
    void AnswerShellOpen(bool succeeds) { shellAnswers_.push_back(succeeds); }
    // A script for the next of the program's own dialogs: it types into the dialog's controls and presses
    // one of its buttons (a dialog nobody closes answers QDialog::Rejected).
    using TDialogScript = std::function<void(QDialog& dialog)>;
    void AnswerDialog(TDialogScript script) { dialogAnswers_.push_back(std::move(script)); }

    void SetUnscriptedHandler(TUnscriptedHandler handler) { unscripted_ = std::move(handler); }

    // The clipboards are held here, apart from the system's and outside the request log; both exist unless
    // the primary selection is switched off (as on a desktop without one).
    void SetSelectionSupported(bool supported) { selectionSupported_ = supported; }
    // The plain text of a clipboard, empty when it holds none.
    QString ClipboardText(TZefClipboardMode mode) const;
    // How often the program has put data on that clipboard.
    int ClipboardWrites(TZefClipboardMode mode) const { return clipboardWrites_[Slot(mode)]; }

    const std::vector<TZefDesktopCall>& Calls() const { return calls_; }
    // The texts of the message boxes shown so far, in order.
    QStringList MessageTexts() const;
    // The log, one line per request, for comparing in one assertion; see the .cpp for the line forms.
    QString DebugDump() const;
    void ClearLog() { calls_.clear(); }
    // Prepared answers not asked for yet, of all kinds.
    std::size_t PendingAnswers() const;

    void Beep(TZefBeepKind kind) override;
    TZefMsgButton ShowMessageBox(const TZefMessageBox& box) override;
    std::optional<QString> InputQuery(const QString& caption, const QString& prompt,
                                      const QString& initial) override;
    std::optional<TZefFileChoice> OpenFileDialog(const TZefFileDialog& dialog) override;
    std::optional<TZefFileChoice> SaveFileDialog(const TZefFileDialog& dialog) override;
    std::optional<QFont> FontDialog(const QString& caption, const QFont& initial) override;
    std::optional<QColor> ColorDialog(const QString& caption, const QColor& initial) override;
    bool ShellOpen(const QString& path) override;
    void PlaySoundAsync(const QString& wavPath) override;
    int ExecDialog(QDialog& dialog) override;
    bool SupportsClipboard(TZefClipboardMode mode) const override;
    bool SetClipboardData(TZefClipboardMode mode, QMimeData* data) override;
    const QMimeData* ClipboardData(TZefClipboardMode mode) override;

private:
    std::optional<TZefFileChoice> FileDialog(TZefDesktopRequest request, const TZefFileDialog& dialog,
                                             std::deque<std::optional<TZefFileChoice>>& answers);
    // Logs the call as unanswered and tells the handler.
    void Unscripted(TZefDesktopCall call, const QString& why);

    std::deque<TZefMsgButton> messageAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    std::deque<std::optional<TZefFileChoice>> openAnswers_;
    std::deque<std::optional<TZefFileChoice>> saveAnswers_;
    std::deque<std::optional<QFont>> fontAnswers_;
    std::deque<std::optional<QColor>> colorAnswers_;
    std::deque<bool> shellAnswers_;
    std::deque<TDialogScript> dialogAnswers_;
    std::vector<TZefDesktopCall> calls_;
    TUnscriptedHandler unscripted_;
    static std::size_t Slot(TZefClipboardMode mode) { return mode == TZefClipboardMode::cmSelection ? 1 : 0; }
    std::unique_ptr<QMimeData> clipboards_[2];
    int clipboardWrites_[2] = {0, 0};
    bool selectionSupported_ = true;
};

// "ok", "yes|no|cancel": button bits in the order a box shows them.
QString ZefMsgButtonsText(TZefMsgButtons buttons);
