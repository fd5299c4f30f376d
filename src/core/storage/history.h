#pragma once

// The turn history whole: the store with its queries, and the CSV export.
#include "core/storage/historyexport.h"
#include "core/storage/historystore.h"
