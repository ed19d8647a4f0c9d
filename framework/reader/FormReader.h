// Reads stored form data into a live root component:
//  1. the root takes the stored name and the loading state, and its own
//     properties are set;
//  2. owned components are created depth-first in stored order: constructed
//     with the root as owner, named, bound to the root's published field of
//     that name, given their parent (SetParentComponent) and the loading
//     state, then each stored property setter is called at once, in order;
//  3. component references and handlers (published methods of the root) are
//     resolved;
//  4. Loaded() runs for every created component in creation order, then for
//     the root (each clears its own loading state);
//  5. the root's ReadingFinished() runs (a form fires OnCreate there).
// Malformed data raises EReadError naming the line of the description.
#pragma once
#include <cstdint>
#include <string>

#include "FormData.h"

namespace tf {

class TComponent;

void ReadComponent(TComponent* root, const TFormNode& node);
void ReadForm(TComponent* root, const std::string& formText);
void ReadFormBinary(TComponent* root, const uint8_t* data, size_t size);

#ifdef _WIN32
// Reads the RCDATA resource named by the root's upper-cased class name from the
// program's module. Returns false, reading nothing, when there is none.
bool ReadFormResource(TComponent* root);
#endif

} // namespace tf
