// Message boxes, reached through a port so that code below the user
// interface can ask the user without knowing about windows. The program
// installs a port that shows real dialogs; tests install ScriptedMessageBox,
// which records every box and answers as the test chooses.
//
// The style bits and answer codes are the framework's: the button set in
// the low four bits, the icon in the next four, the default button above.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

enum : std::uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = MB_ICONHAND,
    MB_ICONERROR = MB_ICONHAND,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = MB_ICONASTERISK,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
};

enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

class IMessageBoxPort {
public:
    virtual ~IMessageBoxPort() = default;
    // Shows s_text (code page 1252) and returns the button pressed.
    virtual int Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style) = 0;
};

// The port in use. Until one is installed, boxes are written to standard
// error and answered with their default button.
IMessageBoxPort& GetMessageBoxPort();
// Installs a port (null puts the standard-error one back); returns the old.
IMessageBoxPort* SetMessageBoxPort(IMessageBoxPort* p_port);

// The caption boxes get when none is given: the program's name.
void SetMessageBoxCaption(const std::string& s_caption);
const std::string& GetMessageBoxCaption();

// Shows a box with the default caption through the port in use. The
// program's own message helpers (and the class library's ZelMessageBox)
// come down to this one; program code calls those, not this.
int FrameworkMessageBox(const std::string& s_text, std::uint32_t u_style = MB_OK);

// The button a box answers with when nobody chooses: its default button.
int DefaultAnswer(std::uint32_t u_style);

// Records boxes and answers from a queue; the default button once the
// queue is empty. Installs itself for its lifetime.
class ScriptedMessageBox : public IMessageBoxPort {
public:
    struct Shown {
        std::string sText;
        std::string sCaption;
        std::uint32_t uStyle;
    };

    ScriptedMessageBox();
    ~ScriptedMessageBox() override;
    ScriptedMessageBox(const ScriptedMessageBox&) = delete;
    ScriptedMessageBox& operator=(const ScriptedMessageBox&) = delete;

    void Answer(int i_button) { qAnswers.push_back(i_button); }
    const std::vector<Shown>& Boxes() const { return vShown; }
    void Clear() { vShown.clear(); }

    int Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style) override;

private:
    std::vector<Shown> vShown;
    std::deque<int> qAnswers;
    IMessageBoxPort* pPrevious;
};
