#include "build/halyard_text_buffer.h"
#include "build/halyard_doc.h"

bool HalyardTextBuffer::IsModified() const { return m_pOwner->IsModified(); }

void HalyardTextBuffer::SetModified(bool modified) { m_pOwner->SetModifiedFlag(modified); }
