#pragma once
// The controls of the page as the handlers see them: a text field, the
// editable list and the modal boxes, each over the page's elements (found
// by the control's name as their id) through page/page.js.

#include "toolkit/controls.h"

#include <functional>
#include <string>

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
    explicit WebDialogs(std::string title) : title_(std::move(title)) {}
    void message(const std::string& text) override;
    std::string input(const std::string& prompt, const std::string& title) override;
    // Runs before every box opens, e.g. to show the drawing as it is.
    void setBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

private:
    std::string title_;
    std::function<void()> beforeModal_;
};

} // namespace viramont
