#include "moxilo/text/codec.h"
