#pragma once

// Every value action that protocol rules call, by family.
#include "grammar/actions/BinaryActions.h"
#include "grammar/actions/ChecksumActions.h"
#include "grammar/actions/RepetitionActions.h"
#include "grammar/actions/TextActions.h"
