// The security Corvane gives its folders, and the judging of folders it did not make, on descriptors
// built in memory (Wine keeps none on disk).
#include "platform/win32/FolderSecurity.h"

#include <gtest/gtest.h>

#include <sddl.h>

namespace {

const wchar_t kOperator[] = L"S-1-5-21-1004336348-1177238915-682003330-1001";

}  // namespace

TEST(FolderSecurity, FoldersAreMadeWithProtectedDaclsNamingNoOwner)
{
    const struct {
        std::wstring sddl;
        std::wstring readBack;
    } rows[] = {
        {kStoreSecurity, L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;;LC;;;BU)"},
        {SystemDirectorySecurity(kOperator), std::wstring(L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;") +
                                                 kOperator + L")(A;OICI;0x1200a9;;;BU)"},
    };
    for (const auto& row : rows) {
        const Descriptor descriptor = DescriptorFromSddl(row.sddl);
        ASSERT_NE(descriptor, nullptr) << ::testing::PrintToString(row.sddl);
        EXPECT_TRUE(SddlOf(descriptor.get()) == row.readBack) << ::testing::PrintToString(SddlOf(descriptor.get()));
    }
    EXPECT_FALSE(RunningAccountSid().empty());
}

// Whoever the owner, and whatever a broad group may do to the folder or to what is made in it.
TEST(FolderSecurity, AFolderIsOpenToOthersWhenABroadGroupMayChangeItOrAnotherOwnsIt)
{
    const std::wstring op = kOperator;
    const struct {
        std::wstring sddl;
        FolderSafety safety;
    } rows[] = {
        // Corvane's own, owned by administrators or by the operator who made them.
        {L"O:BA" + std::wstring(kStoreSecurity), FolderSafety::TrustedOnly},
        {L"O:" + op + SystemDirectorySecurity(op), FolderSafety::TrustedOnly},
        // Made below C:\ with default security: Authenticated Users may modify it and what is in it.
        {L"O:" + op + L"D:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;OICIIOID;GA;;;SY)"
                      L"(A;OICIID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)",
         FolderSafety::OthersMayChange},
        // Like C:\ProgramData: users may add files to it.
        {L"O:SYD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICIIO;GA;;;CO)(A;OICI;0x1200a9;;;BU)(A;CI;0x116;;;BU)",
         FolderSafety::OthersMayChange},
        // Like C:\Program Files: TrustedInstaller's, users read and run.
        {L"O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"
         L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;OICIIO;GA;;;CO)",
         FolderSafety::TrustedOnly},
        // Another user's folder, however tight its DACL.
        {L"O:S-1-5-21-1004336348-1177238915-682003330-1002D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)",
         FolderSafety::OthersMayChange},
        // No DACL at all: everyone may do anything.
        {L"O:BA", FolderSafety::OthersMayChange},
        // Everyone may read; Interactive may delete or re-permission the folder; denials open nothing.
        {L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;WD)", FolderSafety::TrustedOnly},
        {L"O:BAD:P(A;OICI;FA;;;BA)(A;;SD;;;IU)", FolderSafety::OthersMayChange},
        {L"O:BAD:P(A;OICI;FA;;;BA)(D;OICI;FA;;;BU)", FolderSafety::TrustedOnly},
        // Users may add a directory to the folder itself: no change to what is in it.
        {L"O:BAD:P(A;OICI;FA;;;BA)(A;;0x4;;;BU)", FolderSafety::TrustedOnly},
        // No owner to judge.
        {L"D:P(A;OICI;FA;;;BA)", FolderSafety::Unknown},
    };
    for (const auto& row : rows) {
        const Descriptor descriptor = DescriptorFromSddl(row.sddl);
        ASSERT_NE(descriptor, nullptr) << ::testing::PrintToString(row.sddl);
        EXPECT_EQ(JudgeFolder(descriptor.get(), kOperator), row.safety) << ::testing::PrintToString(row.sddl);
    }
}
