#pragma once

// A folder tree as an accountant's generations leave it: three makers, each
// with fourteen months from January 2011, written as DRN-<number> under
// NIT/7316. The first maker's sixth month is missing, the second's third is
// filed twice (the correction presented a day later), and a damaged file
// lies beside the third maker's.

#include "declaration_sample.h"
#include "declfile/seal.h"

#include <filesystem>
#include <fstream>
#include <string>

using namespace formulario;

struct RegisterTree {
    static constexpr const char* kNits[] = {"1000001", "2000002", "3000003"};
    static constexpr int kMonths = 14;
    static constexpr int kReadable = 42;

    // The month's period "yyyymm" and the short one "yymm".
    static std::string Period(int index, bool shortYear = false)
    {
        const int year = 2011 + index / 12, month = index % 12 + 1;
        return std::to_string(shortYear ? year % 100 : year) + (month < 10 ? "0" : "") + std::to_string(month);
    }

    // Writes one declaration; its path.
    static std::string Write(const std::filesystem::path& root, const std::string& nit, int month,
                             const std::string& form, const std::string& presented, const std::string& tax = "10.00")
    {
        const std::string period = Period(month);
        SampleDeclaration sample(1);
        sample.numero = "\"" + form + "\"";
        const std::string xml = sample.With("NIT", nit)
                                    .With("NOMBRE", "Tabacalera " + nit)
                                    .With("PERIODO_DESDE", period + "01")
                                    .With("PERIODO_HASTA", period + "28")
                                    .With("2029", tax)
                                    .Xml();
        std::string withDate = xml;  // the sample's own date presented gives way to this one
        withDate.replace(withDate.find("05/12/2026"), 10, presented);
        const std::string sealed = *SealDeclaration(withDate);
        const std::filesystem::path folder = root / nit / "7316";
        std::filesystem::create_directories(folder);
        const std::filesystem::path path = folder / ("DRN-" + nit + "7316" + Period(month, true) + form);
        std::ofstream(path, std::ios::binary) << sealed;
        return path.string();
    }

    static void Build(const std::filesystem::path& root)
    {
        for (int maker = 0; maker < 3; ++maker)
            for (int month = 0; month < kMonths; ++month)
                if (!(maker == 0 && month == 5))
                    Write(root, kNits[maker], month, "10203040", "05/" + Period(month).substr(4) + "/2012");
        Write(root, kNits[1], 2, "11223344", "06/03/2012", "12.50");
        std::ofstream(root / kNits[2] / "7316" / "DRN-30000037316999", std::ios::binary) << "not sealed at all";
    }
};
