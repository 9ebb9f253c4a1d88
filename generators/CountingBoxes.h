// Message boxes for runs without a display: every box is answered with its
// default button and counted, and the first text kept, so that a headless
// run or a benchmark can say what the program would have shown.
#pragma once

#include "framework/MessageBox.h"

#include <cstdint>
#include <string>

class CountingBoxes : public IMessageBoxPort {
public:
    CountingBoxes() : pPrevious(SetMessageBoxPort(this)) {}
    ~CountingBoxes() override { SetMessageBoxPort(pPrevious); }
    CountingBoxes(const CountingBoxes&) = delete;
    CountingBoxes& operator=(const CountingBoxes&) = delete;

    int Show(const std::string& s_text, const std::string&, std::uint32_t u_style) override
    {
        if (nShown++ == 0)
            sFirst = s_text;
        return DefaultAnswer(u_style);
    }

    int nShown = 0;
    std::string sFirst;

private:
    IMessageBoxPort* pPrevious;
};
