// The names of one run's tables kept once: each distinct name (byte for byte) is copied once into
// chunks owned by the store, behind the hash of its A-Z folded form (HashItemName), so that a
// hit's page name is hashed once and every table that takes it keeps and compares one pointer
// instead of a heap copy of its own. Stored names live as long as the store; the store lives
// until its last holder (the run, and each table that keeps its names) lets it go.
#pragma once
#include <string.h>

#include "ovcore/ovcore_base.h"

struct NameStore;

// A new, empty store with one holder; null when memory is short.
NameStore* NameStore_Make();
// One more holder; Release drops one and frees the store with the last. Null is ignored.
void NameStore_Hold(NameStore* store);
void NameStore_Release(NameStore* store);

// The store's copy of name, made when new (name itself when the store keeps it already). Null when
// memory is short.
const char* NameStore_Intern(NameStore* store, const char* name);
// 1 when name is a copy kept by the store, else 0 (null store or name: 0).
int NameStore_Owns(const NameStore* store, const char* name);

// The folded hash of a name the store keeps (read from in front of it).
inline DWORD NameStore_HashOf(const char* stored) {
    DWORD hash;
    memcpy(&hash, stored - sizeof hash, sizeof hash);
    return hash;
}
