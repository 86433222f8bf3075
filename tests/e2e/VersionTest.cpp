// The built program's version resource names the version the build was configured with.
#include <gtest/gtest.h>

#include "e2e/Process.h"
#include "wine/VersionResource.h"

TEST(Version, TheProgramsResourceNamesTheBuildsVersion) { wt::ExpectTheBuildsVersion(e2e::BuiltTarnvale()); }
