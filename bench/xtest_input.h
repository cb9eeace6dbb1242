#pragma once

#include <memory>
#include <string>

// Input made on the X display through XTEST, as xdotool makes it; kept apart so that the X
// headers' macros stay out of the benchmark's own code.
class XTestInput {
  public:
    // nullptr when $DISPLAY cannot be opened or has no XTEST; `why` says which.
    static std::unique_ptr<XTestInput> open(std::string& why);
    ~XTestInput();
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    // Sent at once.
    void keyA(bool press);
    void leftButton(bool press);

  private:
    explicit XTestInput(void* display);
    void* m_display;
    unsigned m_keyA = 0;
};
