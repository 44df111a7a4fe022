#include "fake_device_registry.h"
#include "test_edid.h"

#include "inventory/registry_scan.h"

#include <gtest/gtest.h>

namespace {

FakeDevice DeviceWith(std::vector<FakeValue> values, bool present = true) {
    FakeDevice device;
    device.values = std::move(values);
    device.present = present;
    return device;
}

FakeDevice Monitor(uint16_t productCode, uint8_t serial = 0, bool present = true) {
    return DeviceWith({{"EDID", MakeEdid(productCode, 128, serial)}}, present);
}

class RegistryScan : public ::testing::Test {
  protected:
    // Every scan must release what it opened and report what it listed.
    int32_t Scan(uint32_t flags = kScanPresent) {
        const int32_t count = ScanDeviceRegistry(BindFakeRegistry(fake), list, flags);
        EXPECT_EQ(OpenKeys(fake), 0);
        EXPECT_EQ(OpenSets(fake), 0);
        EXPECT_EQ(count, static_cast<int32_t>(list.size()));
        return count;
    }

    FakeDeviceRegistry fake;
    MonitorList list;
};

// Values of 128 bytes and less are zero-padded; longer ones, which the
// registry cannot deliver in one 256-byte read, still give their first 256.
class EdidValueSize : public RegistryScan, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(EdidValueSize, RecordHoldsTheFirst256BytesZeroPadded) {
    const std::vector<uint8_t> bytes = MakeEdid(0x1234, GetParam());
    fake.devices = {DeviceWith({{"EDID", bytes}})};
    ASSERT_EQ(Scan(), 1);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(bytes, true)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, EdidValueSize,
                         ::testing::Values(0, 1, 128, 255, 256, 257, 384, 32768));

TEST_F(RegistryScan, EmptyValueDecodesAsAnAllZeroBlock) {
    fake.devices = {DeviceWith({{"EDID", {}}})};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].rawBlock, (std::array<uint8_t, kEdidBlockSize>{}));
    EXPECT_EQ(list[0].summary.vendor.manufacturer, u"@@@");
}

TEST_F(RegistryScan, OnlyTheExactCaseSensitiveNameEdidIsTaken) {
    for (const char* name : {"edid", "Edid", "EDIDX", "EDI", "xEDID", "EDID "}) {
        fake = {};
        fake.devices = {DeviceWith({{name, MakeEdid(1)}})};
        EXPECT_EQ(Scan(), 0) << name;
    }
}

TEST_F(RegistryScan, EdidIsFoundAfterOtherAndUnreadableValues) {
    const std::vector<uint8_t> edid = MakeEdid(0x42, 256, 9);
    fake.devices = {DeviceWith({
        {"a", {1, 2}},
        {"edid", MakeEdid(7)},
        {std::string(127, 'E'), MakeEdid(8)},          // the longest name that fits
        {"EDID" + std::string(124, 'x'), MakeEdid(9)}, // 128 characters
        {"EDID" + std::string(296, 'y'), MakeEdid(10, 1000)},
        {"BIG", std::vector<uint8_t>(5000, 0xEE)}, // long data, other name
        {"EDIDX", MakeEdid(11, 600)},
        {"EDID", edid},
        {"EDID", MakeEdid(12)}, // the key's remaining values are not read
    })};
    ASSERT_EQ(Scan(), 1);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(edid, true)));
}

TEST_F(RegistryScan, ListIsEmptiedEvenWhenTheSetCannotBeObtained) {
    for (bool returnsNull : {false, true}) {
        fake = {};
        fake.devices = {Monitor(1)};
        fake.getClassDevsFails = true;
        fake.getClassDevsReturnsNull = returnsNull;
        list = {RecordOf(MakeEdid(5), true)};
        EXPECT_EQ(Scan(), 0);
        EXPECT_TRUE(fake.sets.empty());
    }
}

TEST_F(RegistryScan, EmptySetGivesNoRecord) {
    list = {RecordOf(MakeEdid(5), true)};
    EXPECT_EQ(Scan(), 0);
    EXPECT_EQ(fake.sets.size(), 1u);
}

TEST_F(RegistryScan, TwoUnitsOfOneModelGiveTwoRecordsInDeviceOrder) {
    fake.devices = {Monitor(0x10, 1), Monitor(0x10, 2)};
    ASSERT_EQ(Scan(), 2);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(MakeEdid(0x10, 128, 1), true)));
    EXPECT_TRUE(SameRecord(list[1], RecordOf(MakeEdid(0x10, 128, 2), true)));
}

TEST_F(RegistryScan, PresentScanListsPresentDevicesActiveOthersListEveryDeviceNotActive) {
    fake.devices = {Monitor(1), Monitor(2, 0, false), Monitor(3)};
    ASSERT_EQ(Scan(kScanPresent), 2);
    EXPECT_EQ(list[0].summary.vendor.productCode, 1u);
    EXPECT_EQ(list[1].summary.vendor.productCode, 3u);
    EXPECT_TRUE(list[0].summary.active && list[1].summary.active);

    ASSERT_EQ(Scan(kScanAllClasses), 3);
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(list[i].summary.vendor.productCode, i + 1);
        EXPECT_FALSE(list[i].summary.active);
    }
}

TEST_F(RegistryScan, DevicesWithoutAReadableKeyOrEdidAreSkipped) {
    FakeDevice nullKey = Monitor(1);
    nullKey.key = FakeKeyState::NullHandle;
    FakeDevice invalidKey = Monitor(2);
    invalidKey.key = FakeKeyState::InvalidHandle;
    FakeDevice notEnumerable = Monitor(3);
    notEnumerable.enumError = kErrorInvalidParameter;
    fake.devices = {nullKey,    invalidKey,    notEnumerable, DeviceWith({{"Other", {1}}}),
                    Monitor(5), DeviceWith({})};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 5u);
}

// Under Wine a successful get-class-devs keeps the end-of-set error of the
// previous scan. A scan that read the last error then, or after any call but
// a failed enumeration, would find nothing in the second pass and in every
// later refresh.
TEST_F(RegistryScan, StaleEndOfSetErrorDoesNotEndTheNextScan) {
    fake.keepsLastErrorOnSuccess = true;
    fake.devices = {Monitor(1), Monitor(2, 0, false)};
    EXPECT_EQ(Scan(kScanPresent), 1);

    // The condition the scan must not trip on.
    const DeviceRegistry registry = BindFakeRegistry(fake);
    const DeviceSetHandle set = registry.getClassDevs(kScanAllClasses);
    EXPECT_EQ(registry.getLastError(), kErrorNoMoreItems);
    registry.destroyDeviceInfoList(set);

    EXPECT_EQ(Scan(kScanAllClasses), 2);
    EXPECT_EQ(Scan(kScanAllClasses), 2);

    const ScanOperation scan = [&registry](MonitorList& target, uint32_t flags) {
        return ScanDeviceRegistry(registry, target, flags);
    };
    for (int refresh = 0; refresh < 2; ++refresh) {
        ASSERT_EQ(RefreshMonitorList(scan), 2);
        EXPECT_TRUE(g_monitors[0].summary.active);
        EXPECT_FALSE(g_monitors[1].summary.active);
    }
}

TEST_F(RegistryScan, EndOfValuesLeftAsLastErrorDoesNotEndTheDeviceLoop) {
    fake.valueEndSetsLastError = true;
    fake.devices = {DeviceWith({{"Other", {1}}}), Monitor(2)};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 2u);
}

// A key removed while it is read fails at every index; the scan leaves it
// after a bounded run and goes on with the next device.
TEST_F(RegistryScan, KeyWhoseEveryReadFailsIsLeft) {
    FakeDevice removed = Monitor(1);
    removed.keyReadError = kErrorKeyDeleted;
    fake.devices = {removed, Monitor(2)};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 2u);
    EXPECT_EQ(fake.valueReads, kMaxFailedValueReads + 1);
}

TEST_F(RegistryScan, ValueFailuresShorterThanTheBoundAreSkipped) {
    const FakeValue failing{"Other", {}, kErrorKeyDeleted};
    std::vector<FakeValue> values(kMaxFailedValueReads - 1, failing);
    values.push_back({"EDID", MakeEdid(1)});
    fake.devices = {DeviceWith(values)};
    EXPECT_EQ(Scan(), 1);

    values.insert(values.begin(), failing);
    fake = {};
    fake.devices = {DeviceWith(values)};
    EXPECT_EQ(Scan(), 0);
}

TEST_F(RegistryScan, SetWhoseEnumerationAlwaysFailsEnds) {
    fake.devices = {Monitor(1)};
    fake.everyEnumFailsWith = kErrorInvalidHandle;
    EXPECT_EQ(Scan(), 0);
    EXPECT_EQ(fake.enumCalls, kMaxFailedDeviceIndices);
}

TEST_F(RegistryScan, EnumerationFailuresShorterThanTheBoundAreSkipped) {
    FakeDevice failing = Monitor(1);
    failing.enumError = kErrorInvalidParameter;
    fake.devices.assign(kMaxFailedDeviceIndices - 1, failing);
    fake.devices.push_back(Monitor(2));
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 2u);
}

} // namespace
