// The deemed-cost bands: lower bound exclusive, upper inclusive, the last row open-ended.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vehicle/DeemedCostTable.h"

namespace revora {
namespace {

struct BandCase {
    const char* name;
    double value;
    double fixedCost;
    double fuelRate;
    double maintenanceRate;
};

class DeemedCostBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(DeemedCostBand, GivesTheRowOfItsBand)
{
    const BandCase& c = GetParam();
    const DeemedCost& row = DeemedCostFor(c.value);
    EXPECT_EQ(row.FixedCost, c.fixedCost);
    EXPECT_EQ(row.FuelRate, c.fuelRate);
    EXPECT_EQ(row.MaintenanceRate, c.maintenanceRate);
    EXPECT_EQ(FuelComponentRate(c.value), c.fuelRate);
}

INSTANTIATE_TEST_SUITE_P(Edges, DeemedCostBand,
    ::testing::Values(
        BandCase{"no value takes the first row", 0.0, 26105.0, 0.787, 0.293},
        BandCase{"exactly 80 000 stays in the first row", 80000.0, 26105.0, 0.787, 0.293},
        BandCase{"80 001 is in the second row", 80001.0, 46505.0, 0.879, 0.367},
        BandCase{"exactly 160 000 stays in the second row", 160000.0, 46505.0, 0.879, 0.367},
        BandCase{"160 000 and a cent is in the third row", 160000.01, 66976.0, 0.955, 0.404},
        BandCase{"exactly 320 000 stays in the fourth row", 320000.0, 84945.0, 1.027, 0.441},
        BandCase{"exactly 400 000 stays in the fifth row", 400000.0, 102974.0, 1.099, 0.518},
        BandCase{"exactly 480 000 stays in the sixth row", 480000.0, 121886.0, 1.261, 0.608},
        BandCase{"480 001 is in the last row", 480001.0, 140797.0, 1.304, 0.756},
        BandCase{"560 001 is still in the last row", 560001.0, 140797.0, 1.304, 0.756},
        BandCase{"five million is still in the last row", 5000000.0, 140797.0, 1.304, 0.756}),
    testing::RowName{});

} // namespace
} // namespace revora
