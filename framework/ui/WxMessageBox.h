// The message-box port over wx's message dialog; the program installs it at
// start-up.
#pragma once

#include "framework/MessageBox.h"

class WxMessageBoxPort : public IMessageBoxPort {
public:
    int Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style) override;
};
