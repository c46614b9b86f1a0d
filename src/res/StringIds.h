#pragma once

// The names of the string table's texts, for LoadString and the calls that take a text id. A
// text id gets its name here and nowhere else, one name per id. The numbers are those the
// program has always used; the sections follow the string table's.

// Caption-library dialog: tool tips
constexpr unsigned IDS_NEW_LIBRARY_TIP = 1221;
constexpr unsigned IDS_REMOVE_LIBRARY_TIP = 1222;
constexpr unsigned IDS_NEW_GROUP_TIP = 1223;
constexpr unsigned IDS_REMOVE_GROUP_LIST_TIP = 1224;
constexpr unsigned IDS_NEW_LABEL_TIP = 1225;
constexpr unsigned IDS_REMOVE_LABEL_TIP = 1226;
constexpr unsigned IDS_REMOVE_GROUP_TIP = 1227;
constexpr unsigned IDS_REMOVE_LIBRARY_OR_GROUP_TIP = 1228;
constexpr unsigned IDS_ADD_CAPTIONS_TIP = 1229;
constexpr unsigned IDS_MAKE_BASE_TIP = 1230;
constexpr unsigned IDS_IMPORT_TIP = 1233;
constexpr unsigned IDS_EXPORT_LIBRARY_TIP = 1234;

// Status bar
constexpr unsigned IDS_READY = 57345;

// Volume source file dialogs
constexpr unsigned IDS_ZOZ_EXTENSION = 63000;

// Campaign data folder
constexpr unsigned IDS_DATA_FOLDER_EXTENSION = 63002;

// Starting PelkoQuill
constexpr unsigned IDS_QUILL_FAILED = 63004;

// Difference dialogs: grid headings
constexpr unsigned IDS_DIFFERENCE = 63036;
constexpr unsigned IDS_STATUS = 63037;

// Flag values
constexpr unsigned IDS_TRUE = 63038;
constexpr unsigned IDS_FALSE = 63039;

// Question difference dialog: details
constexpr unsigned IDS_QUESTION_SHORT_CAPTIONS_DIFFER = 63063;

// Reconciliation page grids
constexpr unsigned IDS_VOLUME_COLUMN = 63065;
constexpr unsigned IDS_VOLUME_CELL = 63066;

// Matching-method lists
constexpr unsigned IDS_ENABLE_COLUMN = 63076;
constexpr unsigned IDS_METHOD_COLUMN = 63077;

// New volume wizard
constexpr unsigned IDS_DONE = 63078;

// Matching-method lists
constexpr unsigned IDS_ENABLE_TIP = 63089;

// Response difference dialog: details
constexpr unsigned IDS_RESPONSE_SHORT_CAPTIONS_DIFFER = 63099;

// Sibling programs: registry open commands
constexpr unsigned IDS_QUILL_OPEN_COMMAND = 63110;

// Reconciliation page grids
constexpr unsigned IDS_ENTRY_CODE_HEADING = 63113;

// Reconciliation progress
constexpr unsigned IDS_PROGRESS_CAPTION = 63114;
constexpr unsigned IDS_PROGRESS_TEXT = 63115;

// Reconciliation page grids
constexpr unsigned IDS_ENTRY_CODE = 63118;
constexpr unsigned IDS_NO_ENTRY_CODE = 63119;

// Question difference dialog: element and question types
constexpr unsigned IDS_CHAPTER = 63120;
constexpr unsigned IDS_QUESTION = 63121;
constexpr unsigned IDS_LOOP = 63122;
constexpr unsigned IDS_CLOSED = 63123;
constexpr unsigned IDS_NUMERIC = 63124;
constexpr unsigned IDS_DATE = 63125;
constexpr unsigned IDS_OPEN = 63126;
constexpr unsigned IDS_PROBABILITY = 63127;

// Reserved wave question
constexpr unsigned IDS_WAVE_RESPONSE = 63128;
constexpr unsigned IDS_WAVE_QUESTION = 63129;

// Opening and saving campaigns
constexpr unsigned IDS_SAVE_DATABASE_ERROR = 63130;
constexpr unsigned IDS_OPEN_DATABASE_ERROR = 63131;

// Removing campaign questions
constexpr unsigned IDS_REMOVE_QUESTION_CONFIRM = 63134;

// Reconciliation page: matching confirmations
constexpr unsigned IDS_BREAK_QUESTION_MATCHING_LINE = 63136;
constexpr unsigned IDS_ADD_QUESTION_MATCHING = 63137;
constexpr unsigned IDS_CONTINUE = 63138;
constexpr unsigned IDS_BREAK_RESPONSE_MATCHING_LINE = 63139;
constexpr unsigned IDS_ADD_RESPONSE_MATCHING = 63140;

// Campaign tree: confirmations
constexpr unsigned IDS_CONFIRM_REMOVE_WAVE = 63141;
constexpr unsigned IDS_CONFIRM_REMOVE_VOLUME = 63142;

// Reconciliation page: matching confirmations
constexpr unsigned IDS_MERGE_RESPONSE = 63143;
constexpr unsigned IDS_CONTINUE_AFTER_BREAK = 63144;

// Reconciliation page grids
constexpr unsigned IDS_MERGED_TO = 63147;

// Difference dialogs: confirmations
constexpr unsigned IDS_UPDATE_RESPONSE = 63148;
constexpr unsigned IDS_UPDATE_QUESTION = 63149;
constexpr unsigned IDS_NEW_RESPONSE = 63150;
constexpr unsigned IDS_NEW_QUESTION = 63151;

// Rotation behaviours
constexpr unsigned IDS_ROTATION_AUTHORISED = 63153;
constexpr unsigned IDS_ROTATION_FIXED = 63154;
constexpr unsigned IDS_ROTATION_FOLLOW_PREVIOUS = 63155;

// Fix-all differences report
constexpr unsigned IDS_QUESTION_DIFFERENCES = 63158;
constexpr unsigned IDS_QUESTION_VALUE_CHANGED = 63159;
constexpr unsigned IDS_RESPONSE_DIFFERENCES = 63160;
constexpr unsigned IDS_MODALITY_VALUE_CHANGED = 63161;

// Report files
constexpr unsigned IDS_HTML_FILTER = 63162;

// Report window titles
constexpr unsigned IDS_SUMMARY_TITLE = 63164;
constexpr unsigned IDS_RECONCILIATION_REPORT_TITLE = 63165;

// Source files
constexpr unsigned IDS_SOURCE_UNREADABLE = 63181;

// Reconciliation page grids
constexpr unsigned IDS_GENERATED_ENTRY_CODE = 63182;

// Reconciliation summary
constexpr unsigned IDS_QUESTION_DIFFERENCE = 63183;
constexpr unsigned IDS_RESPONSE_DIFFERENCE = 63184;
constexpr unsigned IDS_QUESTION_PART = 63185;
constexpr unsigned IDS_CAMPAIGN_QUESTION_VALUE = 63186;
constexpr unsigned IDS_SOURCE_QUESTION_VALUE = 63187;
constexpr unsigned IDS_RESPONSE_PART = 63188;
constexpr unsigned IDS_CAMPAIGN_RESPONSE_VALUE = 63189;
constexpr unsigned IDS_SOURCE_RESPONSE_VALUE = 63190;

// Difference lists
constexpr unsigned IDS_PART_COLUMN = 63193;
constexpr unsigned IDS_COUNT_COLUMN = 63194;

// New volume wizard: ancestor volumes
constexpr unsigned IDS_VOLUME_NAME_COLUMN = 63195;
constexpr unsigned IDS_RELATIVE_SIZE = 63196;
constexpr unsigned IDS_COMPATIBILITY = 63197;

// Volume source file dialogs
constexpr unsigned IDS_TRIPLE_S_EXTENSION = 63198;
constexpr unsigned IDS_DIMENSIONS_EXTENSION = 63200;

// Changing a volume source file
constexpr unsigned IDS_FILE_NOT_THE_SAME = 63203;
constexpr unsigned IDS_FILE_NOT_SUPPORTED = 63204;
constexpr unsigned IDS_FILE_MISSING = 63205;

// Source files
constexpr unsigned IDS_SOURCE_QUESTION_MISSING = 63206;

// Difference dialogs: status
constexpr unsigned IDS_UNCHANGED = 63207;
constexpr unsigned IDS_CHANGED = 63209;

// Reconciliation page grids
constexpr unsigned IDS_CAMPAIGN_RESPONSES = 63210;
constexpr unsigned IDS_SOURCE_RESPONSES = 63211;

// Source files
constexpr unsigned IDS_SOURCE_RESPONSE_MISSING = 63212;

// Removing campaign questions
constexpr unsigned IDS_REMOVE_SUB_QUESTIONS = 63216;

// Languages dialog
constexpr unsigned IDS_LANGUAGE_COLUMN = 63217;
constexpr unsigned IDS_ABBREVIATION_COLUMN = 63218;

// New volume wizard: inheritance compatibility
constexpr unsigned IDS_EXCELLENT = 63221;
constexpr unsigned IDS_GOOD = 63222;
constexpr unsigned IDS_FAIR = 63223;
constexpr unsigned IDS_POOR = 63224;

// Database connection test
constexpr unsigned IDS_CONNECTION_ERROR = 63225;
constexpr unsigned IDS_CONNECTION_UNKNOWN_ERROR = 63226;
constexpr unsigned IDS_CONNECTION_SUCCEEDED = 63227;

// Matching-method editor
constexpr unsigned IDS_QUESTION_MATCHING = 63238;
constexpr unsigned IDS_RESPONSE_MATCHING = 63239;

// Rematching questions
constexpr unsigned IDS_REMATCH_REASONS = 63240;
constexpr unsigned IDS_REASON_LOOPS = 63241;
constexpr unsigned IDS_REASON_REMOVED = 63242;
constexpr unsigned IDS_REASON_ELEMENT_TYPE = 63243;
constexpr unsigned IDS_REASON_QUESTION_TYPE = 63244;

// Reconciliation report
constexpr unsigned IDS_RECONCILING_VOLUME = 63246;
constexpr unsigned IDS_SKIPPING_VOLUME = 63247;
constexpr unsigned IDS_QUESTION_CODE_GONE = 63248;
constexpr unsigned IDS_QUESTION_LOOPS_DIFFER = 63249;
constexpr unsigned IDS_QUESTION_NGRAM_LOW = 63250;
constexpr unsigned IDS_QUESTIONS_STRICT = 63251;
constexpr unsigned IDS_QUESTIONS_NON_STRICT = 63252;
constexpr unsigned IDS_TRYING_QUESTION_METHOD = 63253;
constexpr unsigned IDS_QUESTION_MATCHED = 63254;
constexpr unsigned IDS_UNMATCHED_CAMPAIGN_QUESTIONS = 63255;
constexpr unsigned IDS_UNMATCHED_CAMPAIGN_QUESTION_LINE = 63256;
constexpr unsigned IDS_UNMATCHED_SOURCE_QUESTIONS = 63257;
constexpr unsigned IDS_UNMATCHED_SOURCE_QUESTION_LINE = 63258;
constexpr unsigned IDS_CHECKING_INHERITED_MATCHINGS = 63259;
constexpr unsigned IDS_QUESTION_METHOD_COUNT = 63260;
constexpr unsigned IDS_RESPONSE_CODE_GONE = 63261;
constexpr unsigned IDS_CHECKING_RESPONSES = 63262;
constexpr unsigned IDS_QUESTIONS_STILL_VALID = 63263;
constexpr unsigned IDS_RESPONSES_STILL_VALID = 63264;
constexpr unsigned IDS_RESPONSE_NGRAM_LOW = 63265;
constexpr unsigned IDS_TRYING_RESPONSE_METHOD = 63266;
constexpr unsigned IDS_RESPONSE_METHOD_COUNT = 63267;
constexpr unsigned IDS_RESPONSE_MATCHED = 63268;
constexpr unsigned IDS_MATCHING_QUESTION = 63269;
constexpr unsigned IDS_UNMATCHED_CAMPAIGN_RESPONSES = 63270;
constexpr unsigned IDS_UNMATCHED_CAMPAIGN_RESPONSE_LINE = 63271;
constexpr unsigned IDS_UNMATCHED_SOURCE_RESPONSES = 63272;
constexpr unsigned IDS_UNMATCHED_SOURCE_RESPONSE_LINE = 63273;

// Command-line run
constexpr unsigned IDS_BATCH_WAVE_NAME = 63275;
constexpr unsigned IDS_BATCH_WAVE_DESCRIPTION = 63276;
constexpr unsigned IDS_BATCH_VOLUME_NAME = 63277;

// Reconciliation report
constexpr unsigned IDS_COMMAND_LINE = 63278;
constexpr unsigned IDS_RECONCILIATION_RUN = 63279;

// Command-line run
constexpr unsigned IDS_BREAK_QUESTIONS_STOP = 63280;
constexpr unsigned IDS_BREAK_RESPONSES_STOP = 63281;
constexpr unsigned IDS_NEW_QUESTIONS_STOP = 63282;
constexpr unsigned IDS_NEW_RESPONSES_STOP = 63283;
constexpr unsigned IDS_RECONCILIATION_ERRORS = 63284;
constexpr unsigned IDS_TARGET_UNREADABLE = 63285;
constexpr unsigned IDS_UNMATCHED_QUESTIONS_STOP = 63286;
constexpr unsigned IDS_UNMATCHED_RESPONSES_STOP = 63287;
constexpr unsigned IDS_SOURCE_NOT_FOUND = 63289;
constexpr unsigned IDS_TARGET_UPDATED = 63290;
constexpr unsigned IDS_REPORT_ONLY = 63291;

// Reconciliation report
constexpr unsigned IDS_TRYING_QUESTION_METHODS = 63296;
constexpr unsigned IDS_QUESTION_METHODS_COUNT = 63297;
constexpr unsigned IDS_RESPONSE_METHODS_COUNT = 63298;
constexpr unsigned IDS_TRYING_RESPONSE_METHODS = 63299;
constexpr unsigned IDS_RESPONSES_STRICT = 63300;
constexpr unsigned IDS_RESPONSES_NON_STRICT = 63301;
constexpr unsigned IDS_QUESTION_TYPES_DIFFER = 63303;

// Command-line run
constexpr unsigned IDS_SOURCE_NOT_OPENED = 63308;
constexpr unsigned IDS_LINK_QUESTION_NOT_FOUND = 63309;

// Campaign tree: confirmations
constexpr unsigned IDS_CONFIRM_REDO_RECONCILIATION = 63310;
constexpr unsigned IDS_CONFIRM_UNRECONCILE = 63311;

// Command names
constexpr unsigned IDS_CREATE_NEW_QUESTION = 63314;
constexpr unsigned IDS_BREAK_QUESTION_MATCHING_COMMAND = 63316;
constexpr unsigned IDS_CREATE_NEW_RESPONSE = 63318;
constexpr unsigned IDS_BREAK_RESPONSE_MATCHING_COMMAND = 63320;
constexpr unsigned IDS_REMOVE_CAMPAIGN_RESPONSE = 63321;
constexpr unsigned IDS_MERGE_RESPONSES = 63324;
constexpr unsigned IDS_UNDO = 63331;
constexpr unsigned IDS_REDO = 63332;
constexpr unsigned IDS_CHANGE_CAMPAIGN = 63333;
constexpr unsigned IDS_CHANGE_LANGUAGE = 63334;
constexpr unsigned IDS_CHANGE_RESPONSE = 63335;
constexpr unsigned IDS_CHANGE_QUESTION = 63336;
constexpr unsigned IDS_CHANGE_VOLUME = 63337;
constexpr unsigned IDS_CHANGE_WAVE = 63338;
constexpr unsigned IDS_CREATE_RESPONSE_MATCHING = 63339;
constexpr unsigned IDS_CREATE_QUESTION_MATCHING = 63340;
constexpr unsigned IDS_REMATCH_RESPONSE = 63341;
constexpr unsigned IDS_REMATCH_QUESTION = 63342;
constexpr unsigned IDS_NEW_VOLUME = 63343;
constexpr unsigned IDS_NEW_WAVE = 63344;
constexpr unsigned IDS_REORDER_RESPONSES = 63345;
constexpr unsigned IDS_REORDER_CAMPAIGN_QUESTIONS = 63346;
constexpr unsigned IDS_PREPARE_DEFAULT_LANGUAGE = 63347;
constexpr unsigned IDS_RECONCILE_WAVE = 63348;
constexpr unsigned IDS_REMOVE_VOLUME = 63349;
constexpr unsigned IDS_REMOVE_WAVE = 63350;
constexpr unsigned IDS_SWAP_RESPONSE_ORDER = 63351;
constexpr unsigned IDS_UNRECONCILE_VOLUME = 63352;
constexpr unsigned IDS_REMOVE_QUESTION = 63353;
constexpr unsigned IDS_RERECONCILE_WAVE = 63354;

// Packaging campaigns
constexpr unsigned IDS_CHOOSE_PACKAGE_FOLDER = 63357;
constexpr unsigned IDS_PACKAGE_PATH_INVALID = 63358;
constexpr unsigned IDS_PACKAGE_FOLDER_FAILED = 63359;
constexpr unsigned IDS_PACKAGE_COPY_FAILED = 63360;
constexpr unsigned IDS_PACKAGE_DONE = 63361;
constexpr unsigned IDS_PACKAGING = 63364;
constexpr unsigned IDS_CREATING_LOCATION = 63365;
constexpr unsigned IDS_CREATING_WAVE_FOLDER = 63366;
constexpr unsigned IDS_CREATING_VOLUME_FOLDER = 63367;
constexpr unsigned IDS_COPYING_FILE = 63368;
constexpr unsigned IDS_CREATING_DUV = 63369;
constexpr unsigned IDS_SAVING_CAMPAIGN = 63370;

// Command names
constexpr unsigned IDS_FIX_ALL_DIFFERENCES = 63372;

// Command-line run
constexpr unsigned IDS_VOLUME_NOT_ADDED = 63373;

// Changing a volume source file
constexpr unsigned IDS_CONFIRM_SOURCE_CHANGE = 63374;

// Command names
constexpr unsigned IDS_VALIDATED_CAMPAIGN = 63375;

// Validation report
constexpr unsigned IDS_INVALID_QUESTION = 63376;
constexpr unsigned IDS_INVALID_MODALITY = 63378;
constexpr unsigned IDS_DETAIL_WAVE = 63380;
constexpr unsigned IDS_DETAIL_VOLUME = 63381;
constexpr unsigned IDS_INVALID_QUESTION_ROW = 63382;
constexpr unsigned IDS_INVALID_MODALITY_ROW = 63383;

// Campaign validation
constexpr unsigned IDS_CAMPAIGN_VALID = 63384;
constexpr unsigned IDS_CAMPAIGN_NOT_VALIDATED = 63385;

// Command names
constexpr unsigned IDS_MOVE_TO_MOST_RECENT_VERSION = 63386;

// Command-line run
constexpr unsigned IDS_CAMPAIGN_NOT_VALID = 63390;

// Reconciliation report
constexpr unsigned IDS_QUESTION_PARENT_NGRAM_LOW = 63391;
constexpr unsigned IDS_RESPONSE_PARENT_NGRAM_LOW = 63392;

// Find question dialog
constexpr unsigned IDS_CAMPAIGN_QUESTION_COLUMN = 63393;
constexpr unsigned IDS_SOURCE_QUESTION_COLUMN = 63394;

// Command-line run
constexpr unsigned IDS_CREATED_WAVE = 63395;
constexpr unsigned IDS_CREATED_CAMPAIGN = 63396;
constexpr unsigned IDS_TARGET_CREATED = 63397;

// Command names
constexpr unsigned IDS_MAXIMISE_RESPONSE_COUNTS = 63398;
constexpr unsigned IDS_CREATE_NEW_LANGUAGE = 63399;

// Validation report
constexpr unsigned IDS_NEW_LANGUAGE = 63400;

// Reconciliation report
constexpr unsigned IDS_MATCHING_OPTIONS = 63402;
constexpr unsigned IDS_MATCHING_STRICTLY = 63403;
constexpr unsigned IDS_NOT_MATCHING_STRICTLY = 63404;
constexpr unsigned IDS_CASE_SENSITIVE = 63405;
constexpr unsigned IDS_CASE_INSENSITIVE = 63406;
constexpr unsigned IDS_PARENT_VALUES = 63407;
constexpr unsigned IDS_NO_PARENT_VALUES = 63408;
constexpr unsigned IDS_QUESTION_METHODS = 63409;
constexpr unsigned IDS_RESPONSE_METHODS = 63410;

// Reconciliation page grids
constexpr unsigned IDS_LONG_CAPTION_HEADING = 63411;
constexpr unsigned IDS_LONG_CAPTION = 63412;

// Opening and saving campaigns
constexpr unsigned IDS_NEWER_VERSION = 63413;

// Source-file report
constexpr unsigned IDS_SOURCE_FILE_PROBLEMS = 63414;
constexpr unsigned IDS_SOURCE_FILES_INTRO = 63415;
constexpr unsigned IDS_SOURCE_FILES_WAVE = 63416;
constexpr unsigned IDS_SOURCE_FILES_VOLUME = 63417;
constexpr unsigned IDS_SOURCE_FILE_MISSING = 63418;
constexpr unsigned IDS_SOURCE_FILE_UNREADABLE = 63419;

// Command-line run
constexpr unsigned IDS_SOURCE_FILES_MISSING = 63420;

// Validation report
constexpr unsigned IDS_DELETED_QUESTION = 63421;
constexpr unsigned IDS_DELETED_MODALITY = 63423;
constexpr unsigned IDS_DELETED_QUESTION_ROW = 63425;
constexpr unsigned IDS_DELETED_MODALITY_ROW = 63426;

// Rematching
constexpr unsigned IDS_REMOVE_ORIGINAL_QUESTION = 63427;
constexpr unsigned IDS_REMOVE_ORIGINAL_RESPONSE = 63428;

// Question difference dialog: details
constexpr unsigned IDS_LONG_CAPTIONS_DIFFER = 63430;

// Duplicates
constexpr unsigned IDS_COUNT = 63433;
constexpr unsigned IDS_REMOVE_LEAVE_DUPLICATES = 63435;
constexpr unsigned IDS_REMOVE_DUPLICATE_RESPONSE = 63437;
constexpr unsigned IDS_REMOVE_DUPLICATES = 63439;
constexpr unsigned IDS_CHECKING_FOR_DUPLICATES = 63440;
constexpr unsigned IDS_CHECKING_DUPLICATE_QUESTIONS = 63441;

// Opening and saving campaigns
constexpr unsigned IDS_CHECKING_VALIDITY = 63443;

// Caption-library dialog
constexpr unsigned IDS_GROUP_NAME = 63445;
constexpr unsigned IDS_LABEL_TEXT = 63446;
constexpr unsigned IDS_GROUP_NAME_COLUMN = 63447;
constexpr unsigned IDS_LABEL_TEXT_COLUMN = 63448;
constexpr unsigned IDS_ADD_GROUP_TIP = 63450;

// Reconciliation page: matching confirmations
constexpr unsigned IDS_REMOVE_RESPONSE = 63453;
constexpr unsigned IDS_CONTINUE_REMOVE = 63454;

// Merging responses
constexpr unsigned IDS_ADD_TO_CAPTION_LIBRARY = 63455;

// Caption-library dialog
constexpr unsigned IDS_ROLE_COLUMN = 63456;
constexpr unsigned IDS_BASE = 63457;
constexpr unsigned IDS_DUPLICATE = 63458;

// Command names
constexpr unsigned IDS_APPLY_CAPTION_LIBRARIES = 63461;

// Opening and saving campaigns
constexpr unsigned IDS_UPGRADE_QUESTION = 63465;

// Difference dialogs: details by language
constexpr unsigned IDS_QUESTION_SHORT_CAPTIONS_DIFFER_IN = 63466;
constexpr unsigned IDS_LONG_CAPTIONS_DIFFER_IN = 63467;
constexpr unsigned IDS_RESPONSE_SHORT_CAPTIONS_DIFFER_IN = 63468;

// Difference column titles by language
constexpr unsigned IDS_QUESTION_SHORT_CAPTIONS_FOR = 63469;
constexpr unsigned IDS_QUESTION_LONG_CAPTIONS_FOR = 63470;
constexpr unsigned IDS_MODALITY_SHORT_CAPTIONS_FOR = 63471;

// Campaign tree: confirmations
constexpr unsigned IDS_APPLY_CAPTION_LIBRARY = 63472;

// Commands
constexpr unsigned IDS_NO_ERROR_INFORMATION = 63476;

// Validation report
constexpr unsigned IDS_INVALID_QUESTION_ROW_NO_QUESTION = 63477;
constexpr unsigned IDS_INVALID_MODALITY_ROW_NO_MODALITY = 63478;
constexpr unsigned IDS_INVALID_MODALITY_ROW_NO_QUESTION = 63479;
constexpr unsigned IDS_DELETED_QUESTION_ROW_NO_WAVE = 63480;
constexpr unsigned IDS_DELETED_QUESTION_ROW_NO_QUESTION = 63481;
constexpr unsigned IDS_DELETED_MODALITY_ROW_NO_MODALITY = 63482;
constexpr unsigned IDS_DELETED_MODALITY_ROW_NO_QUESTION_OR_WAVE = 63483;
constexpr unsigned IDS_INVALID_QUESTIONS_HEADING = 63484;
constexpr unsigned IDS_INVALID_MODALITIES_HEADING = 63485;
constexpr unsigned IDS_DELETED_QUESTIONS_HEADING = 63486;
constexpr unsigned IDS_DELETED_MODALITIES_HEADING = 63487;

// Open-numeric question pairs
constexpr unsigned IDS_OPEN_NUMERIC_TITLE = 63488;
constexpr unsigned IDS_OPEN_NUMERIC_ONE = 63489;
constexpr unsigned IDS_OPEN_NUMERIC_NUMERIC = 63490;
constexpr unsigned IDS_OPEN_NUMERIC_OPEN = 63491;
constexpr unsigned IDS_OPEN_NUMERIC_MANY = 63492;
constexpr unsigned IDS_NO_OPEN_NUMERIC = 63493;

// Reconciliation report
constexpr unsigned IDS_SKIPPING_UNREACHED_VOLUME = 63494;
constexpr unsigned IDS_USING_LIBRARIES = 63495;
constexpr unsigned IDS_NOT_USING_LIBRARIES = 63496;

// Command names
constexpr unsigned IDS_REORDER_TREE_QUESTIONS = 63498;

// Opening and saving campaigns
constexpr unsigned IDS_FILE_FILTER = 63499;
constexpr unsigned IDS_SAVE_CHANGES = 63500;
constexpr unsigned IDS_UNTITLED_FILE = 63501;

// Property pane
constexpr unsigned IDS_NONE = 63502;
constexpr unsigned IDS_NOT_SET = 63503;

// Reconciliation page grids
constexpr unsigned IDS_SOURCE_QUESTIONS = 63504;
constexpr unsigned IDS_CAMPAIGN_QUESTIONS = 63506;
constexpr unsigned IDS_ROW_NUMBER = 63507;
constexpr unsigned IDS_CODE_HEADING = 63508;
constexpr unsigned IDS_SHORTCUT_HEADING = 63509;
constexpr unsigned IDS_CODE = 63510;
constexpr unsigned IDS_SHORTCUT = 63511;
constexpr unsigned IDS_NOT_MATCHED = 63512;
constexpr unsigned IDS_BLANK_HEADING = 63513;
constexpr unsigned IDS_SHORT_CAPTION_HEADING = 63514;

// Campaign file errors
constexpr unsigned IDS_DB_ERROR = 63515;
constexpr unsigned IDS_DB_OPERATION_ERROR = 63516;

// Reconciliation page grids
constexpr unsigned IDS_SHORT_CAPTION = 63517;

// Command names
constexpr unsigned IDS_NEW_CHAPTER = 63523;

// Environment options page
constexpr unsigned IDS_GLOBAL_OPTIONS = 63524;
constexpr unsigned IDS_LOCAL_OPTIONS = 63525;
constexpr unsigned IDS_LOCAL_OPTIONS_FILE = 63526;
constexpr unsigned IDS_OPTIONS_FILE_FILTER = 63527;
constexpr unsigned IDS_OPTIONS_FILE_EXTENSION = 63528;
constexpr unsigned IDS_EXPORT_OPTIONS_TIP = 63529;

// Validation report
constexpr unsigned IDS_MISSING_QUESTION = 63530;
constexpr unsigned IDS_MISSING_MODALITY = 63532;
constexpr unsigned IDS_MISSING_QUESTIONS_HEADING = 63534;
constexpr unsigned IDS_MISSING_MODALITIES_HEADING = 63535;
constexpr unsigned IDS_MISSING_QUESTION_ROW = 63536;
constexpr unsigned IDS_MISSING_MODALITY_ROW = 63537;

// Command names
constexpr unsigned IDS_REMOVE_QUESTION_MATCHING = 63538;
constexpr unsigned IDS_REMOVE_RESPONSE_MATCHING = 63539;

// Checking a campaign against its sources
constexpr unsigned IDS_CHECKING_COMPLETED = 63540;
constexpr unsigned IDS_BUILDING_REPORT = 63541;
constexpr unsigned IDS_CANCELLING = 63546;
constexpr unsigned IDS_CHECKING_CANCELLED = 63547;

// Campaign validation
constexpr unsigned IDS_VALIDATION_FAILED = 63548;
constexpr unsigned IDS_VALIDATION_SUCCEEDED = 63549;
constexpr unsigned IDS_VALIDATING = 63550;
constexpr unsigned IDS_CORRECTING = 63551;

// Checking a campaign against its sources
constexpr unsigned IDS_COMPARING = 63553;

// Maximising response counts
constexpr unsigned IDS_QUESTIONS_UPDATED = 63554;
constexpr unsigned IDS_KEEP_HIGHER_COUNTS = 63555;

// Campaign question tree
constexpr unsigned IDS_MISSING_MATCHED_QUESTION = 63556;

// Validation report
constexpr unsigned IDS_LOOP_HIERARCHY = 63557;
constexpr unsigned IDS_LOOP_HIERARCHY_HEADING = 63559;
constexpr unsigned IDS_LOOP_HIERARCHY_ROW = 63560;

// Campaign validation
constexpr unsigned IDS_LOOP_HIERARCHIES_LEFT = 63561;

// Sibling programs: registry open commands
constexpr unsigned IDS_TALLY_OPEN_COMMAND = 63564;

// Starting PelkoQuill
constexpr unsigned IDS_NO_QUILL = 63565;

// Loading a volume's questionnaire
constexpr unsigned IDS_QUESTIONNAIRE_NOT_A_FILE = 63720;
constexpr unsigned IDS_SOURCE_TYPE_NOT_SUPPORTED = 63721;

// Commands
constexpr unsigned IDS_LANGUAGE_EXISTS = 63740;

// Command line
constexpr unsigned IDS_CMDLINE_UNKNOWN_SWITCH = 63900;
constexpr unsigned IDS_CMDLINE_SECOND_FILE = 63901;
constexpr unsigned IDS_WINDOW_PROGRAM_MISSING = 63902;
constexpr unsigned IDS_WAVE_NOT_ADDED = 63903;
constexpr unsigned IDS_CMDLINE_LIST_FILE_UNREADABLE = 63904;
constexpr unsigned IDS_NO_SOURCES = 63905;
constexpr unsigned IDS_NOT_A_QUESTIONNAIRE = 63906;
constexpr unsigned IDS_REPORT_NOT_WRITTEN = 63907;
constexpr unsigned IDS_REPORT_OVERWRITES = 63908;

// Saving
constexpr unsigned IDS_SOURCE_COPIES_FAILED = 63910;

// Reading a campaign file
constexpr unsigned IDS_DB_PARENT_VOLUME_MISSING = 63930;
constexpr unsigned IDS_FILE_NOT_FOUND = 63931;

// The window program
constexpr unsigned IDS_NO_DISPLAY = 63950;
constexpr unsigned IDS_USER_APP_FAILED = 63952;
constexpr unsigned IDS_TUTORIAL_FAILED = 63953;
constexpr unsigned IDS_GUIDE_TITLE = 63954;
constexpr unsigned IDS_GUIDE_MISSING = 63955;
constexpr unsigned IDS_REPORT_NOT_SAVED = 63956;
constexpr unsigned IDS_CAPTION_LIBRARY_UNREADABLE = 63957;
constexpr unsigned IDS_VERSION_LINE = 63958;
constexpr unsigned IDS_ABOUT_TITLE = 63959;
constexpr unsigned IDS_UNTITLED = 63960;
constexpr unsigned IDS_WIKI_LINK = 63961;
constexpr unsigned IDS_HELP_LINK = 63962;
constexpr unsigned IDS_VALIDATION_TITLE = 63963;

// The Update dialog
constexpr unsigned IDS_QUESTION_NOT_CHANGED = 63970;
constexpr unsigned IDS_MODALITY_NOT_CHANGED = 63971;

// Choosing a volume's source file
constexpr unsigned IDS_SOURCE_FILE_FILTER = 63980;
constexpr unsigned IDS_NO_SUCH_FILE = 63981;
constexpr unsigned IDS_FOLDER_NOT_FILE = 63982;
constexpr unsigned IDS_FILE_NOT_READABLE = 63983;

// Opening a campaign file
constexpr unsigned IDS_NOT_A_CAMPAIGN = 63984;
constexpr unsigned IDS_CAMPAIGN_NOT_READABLE = 63985;

// Choosing a volume's source file
constexpr unsigned IDS_NOT_AN_ORDINARY_FILE = 63986;

// Renaming in the question tree and the caption-library dialog
constexpr unsigned IDS_BLANK_QUESTION_NAME = 63990;
constexpr unsigned IDS_BLANK_NAME = 63991;

// Showing a folder in the file manager
constexpr unsigned IDS_FOLDER_NOT_OPENED = 63995;
