#include "questionnaire/LanguageTable.h"

#include <QStringList>
#include <iterator>

namespace qnr {

namespace {

// For each language, its main country comes first: a bare primary tag takes that entry.
const SLanguageInfo kLanguages[] = {
    {1033, "en-US", "English (United States)", "ENU"},
    {2057, "en-GB", "English (United Kingdom)", "ENG"},
    {3081, "en-AU", "English (Australia)", "ENA"},
    {4105, "en-CA", "English (Canada)", "ENC"},
    {5129, "en-NZ", "English (New Zealand)", "ENZ"},
    {6153, "en-IE", "English (Ireland)", "ENI"},
    {7177, "en-ZA", "English (South Africa)", "ENS"},
    {16393, "en-IN", "English (India)", "ENN"},
    {1036, "fr-FR", "French (France)", "FRA"},
    {2060, "fr-BE", "French (Belgium)", "FRB"},
    {3084, "fr-CA", "French (Canada)", "FRC"},
    {4108, "fr-CH", "French (Switzerland)", "FRS"},
    {5132, "fr-LU", "French (Luxembourg)", "FRL"},
    {1031, "de-DE", "German (Germany)", "DEU"},
    {2055, "de-CH", "German (Switzerland)", "DES"},
    {3079, "de-AT", "German (Austria)", "DEA"},
    {4103, "de-LU", "German (Luxembourg)", "DEL"},
    {3082, "es-ES", "Spanish (Spain)", "ESN"},
    {1034, "es-ES_tradnl", "Spanish (Spain, Traditional Sort)", "ESP"},
    {2058, "es-MX", "Spanish (Mexico)", "ESM"},
    {11274, "es-AR", "Spanish (Argentina)", "ESS"},
    {9226, "es-CO", "Spanish (Colombia)", "ESO"},
    {13322, "es-CL", "Spanish (Chile)", "ESL"},
    {10250, "es-PE", "Spanish (Peru)", "ESR"},
    {1040, "it-IT", "Italian (Italy)", "ITA"},
    {2064, "it-CH", "Italian (Switzerland)", "ITS"},
    {1043, "nl-NL", "Dutch (Netherlands)", "NLD"},
    {2067, "nl-BE", "Dutch (Belgium)", "NLB"},
    {1046, "pt-BR", "Portuguese (Brazil)", "PTB"},
    {2070, "pt-PT", "Portuguese (Portugal)", "PTG"},
    {1053, "sv-SE", "Swedish (Sweden)", "SVE"},
    {2077, "sv-FI", "Swedish (Finland)", "SVF"},
    {1030, "da-DK", "Danish (Denmark)", "DAN"},
    {1044, "nb-NO", "Norwegian, Bokmal (Norway)", "NOR"},
    {2068, "nn-NO", "Norwegian, Nynorsk (Norway)", "NON"},
    {1035, "fi-FI", "Finnish (Finland)", "FIN"},
    {1039, "is-IS", "Icelandic (Iceland)", "ISL"},
    {1045, "pl-PL", "Polish (Poland)", "PLK"},
    {1029, "cs-CZ", "Czech (Czech Republic)", "CSY"},
    {1051, "sk-SK", "Slovak (Slovakia)", "SKY"},
    {1038, "hu-HU", "Hungarian (Hungary)", "HUN"},
    {1048, "ro-RO", "Romanian (Romania)", "ROM"},
    {1026, "bg-BG", "Bulgarian (Bulgaria)", "BGR"},
    {1050, "hr-HR", "Croatian (Croatia)", "HRV"},
    {1060, "sl-SI", "Slovenian (Slovenia)", "SLV"},
    {2074, "sr-Latn-CS", "Serbian (Latin, Serbia)", "SRL"},
    {3098, "sr-Cyrl-CS", "Serbian (Cyrillic, Serbia)", "SRB"},
    {1071, "mk-MK", "Macedonian (North Macedonia)", "MKI"},
    {1052, "sq-AL", "Albanian (Albania)", "SQI"},
    {1032, "el-GR", "Greek (Greece)", "ELL"},
    {1055, "tr-TR", "Turkish (Turkey)", "TRK"},
    {1049, "ru-RU", "Russian (Russia)", "RUS"},
    {1058, "uk-UA", "Ukrainian (Ukraine)", "UKR"},
    {1059, "be-BY", "Belarusian (Belarus)", "BEL"},
    {1061, "et-EE", "Estonian (Estonia)", "ETI"},
    {1062, "lv-LV", "Latvian (Latvia)", "LVI"},
    {1063, "lt-LT", "Lithuanian (Lithuania)", "LTH"},
    {1079, "ka-GE", "Georgian (Georgia)", "KAT"},
    {1067, "hy-AM", "Armenian (Armenia)", "HYE"},
    {1087, "kk-KZ", "Kazakh (Kazakhstan)", "KKZ"},
    {1027, "ca-ES", "Catalan (Catalan)", "CAT"},
    {1069, "eu-ES", "Basque (Basque)", "EUQ"},
    {1110, "gl-ES", "Galician (Galician)", "GLC"},
    {1106, "cy-GB", "Welsh (United Kingdom)", "CYM"},
    {1025, "ar-SA", "Arabic (Saudi Arabia)", "ARA"},
    {3073, "ar-EG", "Arabic (Egypt)", "ARE"},
    {14337, "ar-AE", "Arabic (U.A.E.)", "ARU"},
    {6145, "ar-MA", "Arabic (Morocco)", "ARM"},
    {1037, "he-IL", "Hebrew (Israel)", "HEB"},
    {1065, "fa-IR", "Persian (Iran)", "FAR"},
    {1056, "ur-PK", "Urdu (Pakistan)", "URD"},
    {1081, "hi-IN", "Hindi (India)", "HIN"},
    {1093, "bn-IN", "Bengali (India)", "BNG"},
    {1095, "gu-IN", "Gujarati (India)", "GUJ"},
    {1097, "ta-IN", "Tamil (India)", "TAM"},
    {1098, "te-IN", "Telugu (India)", "TEL"},
    {1054, "th-TH", "Thai (Thailand)", "THA"},
    {1066, "vi-VN", "Vietnamese (Vietnam)", "VIT"},
    {1057, "id-ID", "Indonesian (Indonesia)", "IND"},
    {1086, "ms-MY", "Malay (Malaysia)", "MSL"},
    {1124, "fil-PH", "Filipino (Philippines)", "FPO"},
    {1041, "ja-JP", "Japanese (Japan)", "JPN"},
    {1042, "ko-KR", "Korean (Korea)", "KOR"},
    {2052, "zh-CN", "Chinese (Simplified, PRC)", "CHS"},
    {1028, "zh-TW", "Chinese (Traditional, Taiwan)", "CHT"},
    {3076, "zh-HK", "Chinese (Traditional, Hong Kong S.A.R.)", "ZHH"},
    {4100, "zh-SG", "Chinese (Simplified, Singapore)", "ZHI"},
    {1089, "sw-KE", "Kiswahili (Kenya)", "SWK"},
    {1078, "af-ZA", "Afrikaans (South Africa)", "AFK"},
};

// Tags that name a language by another subtag than the table's.
struct SAlias
{
    const char* tag;
    int id;
};
const SAlias kAliases[] = {
    {"no", 1044},         {"no-no", 1044},      {"zh-hans", 2052}, {"zh-hant", 1028},
    {"zh-hans-cn", 2052}, {"zh-hant-tw", 1028}, {"sr", 2074},      {"sr-latn", 2074},
    {"sr-cyrl", 3098},    {"sr-rs", 2074},      {"iw", 1037},      {"in", 1057},
    {"tl", 1124},         {"tl-ph", 1124},
};

QString NormalisedTag(const QString& tag)
{
    QString text = tag.trimmed().toLower();
    text.replace(QLatin1Char('_'), QLatin1Char('-'));
    return text;
}

QString PrimarySubtag(const QString& tag)
{
    return tag.section(QLatin1Char('-'), 0, 0);
}

} // namespace

const SLanguageInfo* FindLanguageInfo(int languageId)
{
    for (const SLanguageInfo& info : kLanguages) {
        if (info.id == languageId)
            return &info;
    }
    return nullptr;
}

int LanguageIdFromTag(const QString& tag)
{
    const QString wanted = NormalisedTag(tag);
    if (wanted.isEmpty())
        return 0;
    for (const SLanguageInfo& info : kLanguages) {
        if (NormalisedTag(QLatin1String(info.tag)) == wanted)
            return info.id;
    }
    for (const SAlias& alias : kAliases) {
        if (wanted == QLatin1String(alias.tag))
            return alias.id;
    }
    if (wanted.size() == 3) {
        for (const SLanguageInfo& info : kLanguages) {
            if (wanted.compare(QLatin1String(info.abbreviation), Qt::CaseInsensitive) == 0)
                return info.id;
        }
    }
    // A region or script the table lacks: the language's main country.
    const QString primary = PrimarySubtag(wanted);
    for (const SAlias& alias : kAliases) {
        if (primary == QLatin1String(alias.tag))
            return alias.id;
    }
    for (const SLanguageInfo& info : kLanguages) {
        if (PrimarySubtag(NormalisedTag(QLatin1String(info.tag))) == primary)
            return info.id;
    }
    return 0;
}

QString GetLanguageName(int languageId)
{
    const SLanguageInfo* info = FindLanguageInfo(languageId);
    return info ? QString::fromUtf8(info->name) : QString();
}

QString GetLanguageAbbreviation(int languageId)
{
    const SLanguageInfo* info = FindLanguageInfo(languageId);
    return info ? QString::fromLatin1(info->abbreviation) : QString();
}

QString GetLanguageTag(int languageId)
{
    const SLanguageInfo* info = FindLanguageInfo(languageId);
    return info ? QString::fromLatin1(info->tag) : QString();
}

} // namespace qnr
