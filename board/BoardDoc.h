// The board document: the pages of the whiteboard.
#pragma once

#include "framework/Document.h"

class CBoardDoc : public CDocument {
public:
    bool OnNewDocument() override;
};
