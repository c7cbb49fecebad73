// CHandleObj and its two owning kinds, CMenuObj and CIcon.
//
// The base holds an untyped handle and frees nothing. CMenuObj destroys the
// menu it holds, CIcon the icon. A copy of a CMenuObj or CIcon holds its own
// duplicate (a copied menu tree, CopyIcon), so each handle is destroyed once.
// Load and Attach drop a handle held before without destroying it: the caller
// keeps ownership of what it attached.
#pragma once
#include "ovkit/ovkit_base.h"

class OVKIT_API CHandleObj {
  public:
    CHandleObj();
    explicit CHandleObj(void* handle);
    // The base owns nothing: a copy copies the handle value.
    CHandleObj(const CHandleObj& other);
    CHandleObj& operator=(const CHandleObj& other);
    virtual ~CHandleObj();

    operator void*() const;
    // Returns the handle and empties the object: the caller now owns it.
    void* Detach();
    // Holds the new handle; returns the previous one, not destroyed.
    void* Attach(void* handle);
    // 1 when a handle is held.
    int IsValid() const;

    // Objects made in another module are still freed on ovkit's side.
    static void* operator new(size_t size);
    static void operator delete(void* block);

  protected:
    void* m_handle;
};

class OVKIT_API CMenuObj : public CHandleObj {
  public:
    CMenuObj();
    explicit CMenuObj(HMENU menu);
    CMenuObj(HINSTANCE module, unsigned int id);
    CMenuObj(const CMenuObj& other);
    CMenuObj& operator=(const CMenuObj& other);
    ~CMenuObj() override;

    // LoadMenuA of the id's low 16 bits; 1 when a menu was loaded.
    int Load(HINSTANCE module, unsigned int id);
    // 1 when a new empty popup menu is now held.
    int CreatePopupMenu();
    HMENU GetSubMenu(int position) const;
    operator HMENU() const;
    HMENU Detach();
    HMENU Attach(HMENU menu);
};

class OVKIT_API CIcon : public CHandleObj {
  public:
    CIcon();
    explicit CIcon(HICON icon);
    CIcon(HINSTANCE module, unsigned int id);
    CIcon(const CIcon& other);
    CIcon& operator=(const CIcon& other);
    ~CIcon() override;

    // LoadIconA of the id's low 16 bits; 1 when an icon was loaded.
    int Load(HINSTANCE module, unsigned int id);
    operator HICON() const;
    HICON Detach();
    HICON Attach(HICON icon);
};
