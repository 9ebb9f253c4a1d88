#include "model/EventDoc.h"

EventDoc::EventDoc() = default;

EventDoc::~EventDoc() = default;
