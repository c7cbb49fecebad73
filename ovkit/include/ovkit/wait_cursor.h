// CWaitCursor: the hourglass for the life of the object.
#pragma once
#include "ovkit/ovkit_base.h"

class OVKIT_API CWaitCursor {
  public:
    CWaitCursor();
    ~CWaitCursor();
    // Shows the hourglass again (after a dialog changed the cursor) and keeps
    // the cursor it now replaced for the destructor to restore.
    void Restore();
    CWaitCursor& operator=(const CWaitCursor& other);

  private:
    HCURSOR m_hOldCursor;
};
