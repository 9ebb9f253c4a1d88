// The "Continue or Quit?" question of an open, for runs without a display:
// answered Continue, as a user who wants the event opened whatever its
// lists' problems would answer, so that a headless tool or a benchmark
// goes on with what the open kept.
#pragma once

#include "model/ShellPorts.h"

#include <string>

class AlwaysContinue : public IContinueQuitPort {
public:
    AlwaysContinue() : pPrevious(SetContinueQuitPort(this)) {}
    ~AlwaysContinue() override { SetContinueQuitPort(pPrevious); }
    AlwaysContinue(const AlwaysContinue&) = delete;
    AlwaysContinue& operator=(const AlwaysContinue&) = delete;

    int Ask(const std::string&) override { return IDOK; }

private:
    IContinueQuitPort* pPrevious;
};
