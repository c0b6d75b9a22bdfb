#pragma once
// The controls of the page as the handlers see them: a text field, the
// editable list and the modal boxes, each over the page's elements (found
// by the control's name as their id) through the toolkit's script
// (toolkit/web/toolkit.js).

#include "toolkit/controls.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace viramont {

class WebField final : public TextField {
public:
    explicit WebField(std::string id) : id_(std::move(id)) {}
    std::string text() const override;
    // Shows the new text from its start.
    void setText(const std::string& text) override;

private:
    std::string id_;
};

class WebList final : public ListControl {
public:
    explicit WebList(std::string id) : id_(std::move(id)) {}
    void append(const std::string& entry) override;
    std::string text() const override;

private:
    std::string id_;
};

// The page's modal boxes. The handler waits for the answer: the call
// returns when the box is closed, the page having gone on meanwhile.
class WebDialogs final : public Dialogs {
public:
    // `title` heads the messages; `limit` is the longest answer an input
    // box takes.
    WebDialogs(std::string title, int limit) : title_(std::move(title)), limit_(limit) {}
    void message(const std::string& text) override;
    std::string input(const std::string& prompt, const std::string& title) override;
    // A box titled `title` that offers `choices`, the first chosen: the
    // index chosen, nothing when cancelled.
    std::optional<std::size_t> choose(const std::string& title, const std::vector<std::string>& choices);
    // Runs before every box opens, e.g. to show the drawing as it is.
    void setBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

private:
    std::string title_;
    int limit_;
    std::function<void()> beforeModal_;
};

} // namespace viramont
