#include "fake_device_registry.h"
#include "test_edid.h"

#include "inventory/registry_scan.h"

#include <gtest/gtest.h>

using namespace moniquet;

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

// Values of any size up to the largest EDID are kept whole, those longer
// than a first read of 256 bytes too.
class EdidValueSize : public RegistryScan, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(EdidValueSize, RecordKeepsTheWholeValue) {
    const std::vector<uint8_t> bytes = MakeEdid(0x1234, GetParam());
    fake.devices = {DeviceWith({{"EDID", bytes}})};
    ASSERT_EQ(Scan(), 1);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(bytes, true)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, EdidValueSize,
                         ::testing::Values(0, 1, 128, 255, 256, 257, 384, kMaximumEdidSize));

// RegEnumValueA cannot read part of a value: one larger than any EDID is not
// read, whatever size the registry claims, and no buffer is made for it.
TEST_F(RegistryScan, ValueLargerThanAnyEdidGivesNoRecordAndNoBufferForIt) {
    FakeValue claimed{"EDID", MakeEdid(2)};
    claimed.reportedSize = 0xFFFFFFFF;
    fake.devices = {DeviceWith({{"EDID", MakeEdid(1, kMaximumEdidSize + 1)}}),
                    DeviceWith({claimed}), Monitor(3)};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 3u);
    EXPECT_EQ(fake.largestDataBuffer, kMaximumEdidSize);
}

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

TEST_F(RegistryScan, TwoUnitsOfOneModelGiveTwoRecordsInDeviceOrderWithTheirInstanceIds) {
    fake.devices = {Monitor(0x10, 1), Monitor(0x10, 2)};
    fake.devices[0].instanceId = u"DISPLAY\\ABC0010\\5&1&0&UID1";
    fake.devices[1].instanceId = u"DISPLAY\\ABC0010\\5&1&0&UID2";
    ASSERT_EQ(Scan(), 2);
    EXPECT_TRUE(SameRecord(list[0], RecordOf(MakeEdid(0x10, 128, 1), true)));
    EXPECT_TRUE(SameRecord(list[1], RecordOf(MakeEdid(0x10, 128, 2), true)));
    EXPECT_EQ(list[0].source, fake.devices[0].instanceId);
    EXPECT_EQ(list[1].source, fake.devices[1].instanceId);
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
    FakeDevice noKey = Monitor(1);
    noKey.hasKey = false;
    FakeDevice notEnumerable = Monitor(3);
    notEnumerable.enumFails = true;
    fake.devices = {noKey, notEnumerable, DeviceWith({{"Other", {1}}}), Monitor(5), DeviceWith({})};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 5u);
}

// The scan keeps nothing from one scan to the next: the second pass of a
// refresh and every later refresh see the whole set. (Whether a failed
// enumeration is the set's end is the binding's to say: under Wine a
// successful call leaves the thread's last error as it was, so the Windows
// binding reads it right after the failure.)
TEST_F(RegistryScan, RepeatedScansAndRefreshesGiveTheSameRecords) {
    fake.devices = {Monitor(1), Monitor(2, 0, false)};
    EXPECT_EQ(Scan(kScanPresent), 1);
    EXPECT_EQ(Scan(kScanAllClasses), 2);
    EXPECT_EQ(Scan(kScanAllClasses), 2);

    const DeviceRegistry registry = BindFakeRegistry(fake);
    const ScanOperation scan = [&registry](MonitorList& target, uint32_t flags) {
        return ScanDeviceRegistry(registry, target, flags);
    };
    for (int refresh = 0; refresh < 2; ++refresh) {
        ASSERT_EQ(RefreshMonitorList(scan), 2);
        EXPECT_TRUE(g_monitors[0].summary.active);
        EXPECT_FALSE(g_monitors[1].summary.active);
    }
}

// Reaching the end of a key's values ends that key only.
TEST_F(RegistryScan, EndOfValuesDoesNotEndTheDeviceLoop) {
    fake.devices = {DeviceWith({{"Other", {1}}}), DeviceWith({}), Monitor(2)};
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

// A set or key that never reports its end and never fails is left after a
// count of devices or values that no machine reaches.
TEST_F(RegistryScan, SetAndKeyThatNeverEndAreLeft) {
    fake.endlessSet = true;
    fake.devices = {Monitor(1)};
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(fake.openDeviceCalls, kMaxDeviceIndices);

    fake = {};
    fake.devices = {DeviceWith({}), Monitor(2)};
    fake.devices[0].endlessValues = true;
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(fake.valueReads, kMaxValueIndices + 1);
}

TEST_F(RegistryScan, SetWhoseEnumerationAlwaysFailsEnds) {
    fake.devices = {Monitor(1)};
    fake.everyEnumFails = true;
    EXPECT_EQ(Scan(), 0);
    EXPECT_EQ(fake.openDeviceCalls, kMaxFailedDeviceIndices);
}

// Devices without a hardware key abound in the all-classes set: they are no
// failures and break a run of them.
TEST_F(RegistryScan, EnumerationFailuresShorterThanTheBoundAreSkipped) {
    FakeDevice failing = Monitor(1);
    failing.enumFails = true;
    FakeDevice noKey = Monitor(3);
    noKey.hasKey = false;
    fake.devices.assign(kMaxFailedDeviceIndices - 1, failing);
    fake.devices.push_back(noKey);
    fake.devices.insert(fake.devices.end(), kMaxFailedDeviceIndices - 1, failing);
    fake.devices.push_back(Monitor(2));
    ASSERT_EQ(Scan(), 1);
    EXPECT_EQ(list[0].summary.vendor.productCode, 2u);
}

} // namespace
