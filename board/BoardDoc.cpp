#include "board/BoardDoc.h"

bool CBoardDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
