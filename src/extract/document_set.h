// The document set moved to the documents layer; this name stays for its includers.
#pragma once

#include "documents/document_set.h"
