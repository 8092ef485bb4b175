#include "toolchain/halyard_text_buffer.h"
#include "toolchain/halyard_doc.h"

bool HalyardTextBuffer::IsModified() const { return m_pOwner->IsModified(); }

void HalyardTextBuffer::SetModified(bool modified) { m_pOwner->SetModifiedFlag(modified); }
