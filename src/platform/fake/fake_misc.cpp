#include "platform/fake/fake_misc.h"
