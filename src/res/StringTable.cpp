#include "res/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

// Sorted by id, each id once (checked at compile time below). A "\n" in a text is a line break,
// "\t" a tab; printf-style fields such as "%s" and "%d" are filled by the caller.
// clang-format off
constexpr SStringEntry kStrings[] = {
    // Start-up
    {100, u"PelkoPlim could not initialise OLE and cannot start."},

    // Caption-library dialog: tool tips
    {1221, u"Create a new library"},
    {1222, u"Remove the selected library"},
    {1223, u"Create a new captions group"},
    {1224, u"Remove the selected captions group"},
    {1225, u"Create a new label and add it to the selected captions group"},
    {1226, u"Remove the selected label"},
    {1227, u"Remove the selected group"},
    {1228, u"Remove the selected library or group"},
    {1229, u"Add the response short captions to the selected group"},
    {1230, u"Make the selected caption the base caption for the group"},
    {1231, u"Save any changes and remove duplicate reponses using the captions libraries"},
    {1232, u"Close without saving changes or applying the caption libraries"},
    {1233, u"Import a caption library"},
    {1234, u"Export your caption library to a file"},

    // Commands: status-bar prompt, then after the newline the tool tip and menu text
    {32786, u"Add a new volume to this wave\nAdd New Volume"},
    {32787, u"Remove this volume from its wave\nRemove Volume"},
    {32788, u"Add a new wave to the campaign\nAdd New Wave"},
    {32793, u"Reconcile the questions of this wave's volumes with the campaign questionnaire\nReconcile Questions"},
    {32794, u"Show the reconciliation of this wave\nShow Reconciliation"},
    {32795, u"Remove this wave from the campaign\nRemove Wave"},
    {32798, u"Show the differences between the source question and its campaign question\nView Question Differences"},
    {32799, u"Go to the next difference\nNext difference"},
    {32800, u"Go to the previous difference\nPrevious difference"},
    {32801, u"Go to the last difference\nLast difference"},
    {32802, u"Go to the first difference\nFirst difference"},
    {32803, u"Open the volume's questionnaire in PelkoQuill\nOpen Volume in Pelko Quill"},
    {32804, u"Show the differences between the source response and its campaign response\nView Response Differences"},
    {32805, u"Find a campaign or source question\nFind question"},
    {32806, u"Show the response codes\nView Response Codes"},
    {32807, u"Show the entry codes\nView Entry Codes"},
    {32808, u"Remove the campaign question\nRemove Campaign Question"},
    {32810, u"Remove the campaign response\nRemove Campaign Response"},
    {32812, u"Match the source question with another campaign question\nRe-match Source Question"},
    {32815, u"Match the source response with another campaign response\nRe-match Source Response"},
    {32817, u"Merge the campaign response into another campaign response\nMerge Campaign Response"},
    {32819, u"Show the summary of this wave's reconciliation\nShow Reconciliation Summary"},
    {32824, u"Bring all campaign questions up to date with their sources\nUpdate all campaign questions"},
    {32830, u"Change the options of the program\nOptions"},
    {32837, u"Break the matching of this question\nBreak This Matching"},
    {32839, u"Break the matching of this response\nBreak This Matching"},
    {32841, u"Make a new campaign response from the source response\nCreate New Campaign Response"},
    {32842, u"Choose the default language and the current language of the campaign\nLanguages"},
    {32844, u"Make the selected language the default language of the campaign\nSet as Default"},
    {32845, u"Show the captions in the selected language\nSet as Current"},
    {32846, u"Put the campaign questions in the order of this wave\nApply Wave Question Order"},
    {32847, u"Make a new campaign question from the source question\nCreate New Campaign Question"},
    {32848, u"Move the selected campaign response down\nMove the response down"},
    {32850, u"Move the selected campaign response up\nMove the response up"},
    {32851, u"Open the folder of the tutorial files\nOpen Tutorial Folder"},
    {32853, u"Apply the remembered matches again\nRe-apply Matches"},
    {32855, u"Put the campaign responses in the order of the source responses\nRe-order Campaign Responses"},
    {32859, u"Reconcile this wave again\nRedo Reconciliation"},
    {32861, u"Take back the reconciliation of this volume\nUnreconcile Volume"},
    {32862, u"Open the documentation\nHelp Topics"},
    {32864, u"Open the Plim wiki\nPlim Wiki"},
    {32866, u"Copy the campaign and its source files into one folder\nPackage Campaign"},
    {32869, u"Open the folder that holds the campaign file\nOpen Containing Folder"},
    {32870, u"Raise the response count of each campaign question to the largest of its sources\nMaximise Response Count"},
    {32872, u"Check the matches of this wave\nValidate Matches"},
    {32873, u"Edit the response caption libraries\nCaption Libraries"},
    {32874, u"Lang"},
    {32878, u"Show the short captions\nView short captions"},
    {32879, u"Show the long captions\nView long-captions"},
    {32880, u"Look for duplicate questions and responses\nCheck for Duplicates"},
    {32882, u"Apply the caption libraries to the responses of this wave\nApply Caption Libraries"},
    {32884, u"List the open questions that have numeric equivalents in this wave\nFind Open Numeric Equivalents"},
    {32886, u"Reconcile only the questions that are not matched yet\nReconcile Unmatched Questions Only"},
    {32889, u"Show the shortcuts\nView shortcuts"},
    {32894, u"Compare questions with the global difference options\nUse global options"},
    {32895, u"Compare questions with the difference options of this campaign\nUse local options"},
    {32898, u"Raise the response count of every campaign question to the largest of its sources\nMaximise Response Counts"},
    {32902, u"Start the first user-defined application\nApplication1"},
    {32903, u"Start the second user-defined application\nApplication2"},
    {57345, u"Ready"},
    {57600, u"Create a new campaign\nNew"},
    {57601, u"Open a campaign file\nOpen"},
    {57603, u"Save the campaign\nSave"},
    {57604, u"Save the campaign under a new name\nSave As"},
    {57634, u"Copy the selection to the clipboard\nCopy"},
    {57635, u"Cut the selection to the clipboard\nCut"},
    {57637, u"Paste the clipboard\nPaste"},
    {57642, u"Select everything\nSelect All"},
    {57643, u"Undo the last change\nUndo"},
    {57644, u"Redo the change undone last\nRedo"},
    {57664, u"Show the version of the program and its links\nAbout"},
    {57665, u"Quit the program, asking to save changes\nExit"},

    // Status-bar lock-key panes
    {59137, u"CAP"},
    {59138, u"NUM"},
    {59139, u"SCRL"},

    // Volume source file dialogs
    {63000, u"zoz"},

    // Campaign data folder
    {63002, u"dat"},

    // Starting PelkoQuill
    {63004, u"Unable to start PelkoQuill. Please check your installation is correct and try to start PelkoQuill manually.\n\nError code: %d."},

    // Question difference kinds
    {63009, u"Is deleted"},
    {63010, u"Order"},
    {63011, u"Shortcut"},
    {63012, u"Indent"},
    {63013, u"Element type"},
    {63014, u"Question type"},
    {63015, u"Is don't know"},
    {63016, u"Is semi-open"},
    {63017, u"Is scale"},
    {63018, u"Is multiple"},
    {63019, u"Is ranked"},
    {63020, u"Max response count"},
    {63021, u"Decimals"},
    {63022, u"Minimum value"},
    {63023, u"Maximum value"},
    {63024, u"Is level link"},
    {63025, u"Link question"},
    {63026, u"Is probability question"},
    {63027, u"Is date type"},
    {63028, u"Question class"},
    {63029, u"Versions"},
    {63030, u"User data"},
    {63032, u"Short captions"},
    {63033, u"Responses"},
    {63035, u"Response count"},

    // Difference dialogs: grid headings
    {63036, u"Difference"},
    {63037, u"Status"},

    // Flag values
    {63038, u"True"},
    {63039, u"False"},

    // Question difference dialog: details
    {63042, u"The question shortcuts are not the same."},
    {63043, u"The question indents are not the same."},
    {63044, u"The questions do not have the same element type."},
    {63045, u"The questions are not of the same type."},
    {63046, u"The questions do not have the same value for the property \"Is Don't Know\"."},
    {63047, u"The questions do not have the same value for the property \"Is Semi-Open\"."},
    {63048, u"The questions do not have the same value for the property \"Is Scale\"."},
    {63049, u"The questions do not have the same value for the property \"Is Multiple\"."},
    {63050, u"The questions do not have the same value for the property \"Is Ranked\"."},
    {63051, u"The maximum number of allowed responses for the questions are not the same."},
    {63052, u"The decimal count of the questions are not the same."},
    {63053, u"The minimum values of the questions are not the same."},
    {63054, u"The maximum values of the questions are not the same."},
    {63055, u"The questions do not have the same value for the property \"Is Level Link\"."},
    {63056, u"The questions do not link to the same question."},
    {63057, u"The questions do not have the same value for the property \"Is Probability Question\"."},
    {63058, u"The questions do not have the same value for the property \"Is Date Type\"."},
    {63059, u"The questions are not of the same question-class."},
    {63061, u"The user-data for the questions are not the same."},
    {63063, u"The short captions for the questions are not the same."},
    {63064, u"The numbers of responses of the questions are not the same. They cannot be changed from this dialog."},

    // Reconciliation page grids
    {63065, u"Volume"},
    {63066, u"%s"},

    // Question difference dialog: details
    {63067, u"The responses of the questions are not the same. They cannot be changed from this dialog."},

    // Matching methods: names
    {63068, u"Short caption"},
    {63069, u"Internal code"},
    {63070, u"Shortcut"},
    {63071, u"Manual"},
    {63072, u"Short caption"},
    {63073, u"Internal code"},
    {63074, u"Entry code"},
    {63075, u"Manual"},

    // Matching-method lists
    {63076, u"Enable"},
    {63077, u"Matching method"},

    // New volume wizard
    {63078, u"Done"},

    // Matching methods: names
    {63079, u"Order"},

    // Matching methods: descriptions
    {63080, u"Match questions by question short captions"},
    {63081, u"Match questions by question internal codes"},
    {63082, u"Match questions by question shortcuts"},
    {63083, u"Match questions manually"},
    {63084, u"Match responses by response short captions"},
    {63085, u"Match responses by response codes in the source"},
    {63086, u"Match responses by response entry codes"},
    {63087, u"Match responses manually"},
    {63088, u"Match responses by the order they appear in a question"},

    // Matching-method lists
    {63089, u"Enable/disable this matching method"},

    // Response difference dialog: details
    {63090, u"The campaign and source responses have different question IDs."},
    {63093, u"The values of the responses are not the same."},
    {63095, u"The responses do not have the same value for the property \"Is Exclusive\"."},
    {63096, u"The responses do not have the same rotation behaviour."},
    {63098, u"The user data of the responses are not the same."},
    {63099, u"The short captions of the responses are not the same."},

    // Response difference kinds
    {63100, u"Question ID"},
    {63101, u"Is deleted"},
    {63102, u"Order"},
    {63103, u"Value"},
    {63104, u"Entry code"},
    {63105, u"Is exclusive"},
    {63106, u"Rotation behaviour"},
    {63107, u"Versions"},
    {63108, u"User data"},
    {63109, u"Short captions"},

    // Sibling programs: registry open commands
    {63110, u"Applications\\QuillU.exe\\shell\\open\\command"},

    // Reconciliation page grids
    {63113, u"Entry Code"},

    // Reconciliation progress
    {63114, u"Reconciliation Progress..."},
    {63115, u"Matching questions and responses"},

    // Reconciliation page grids
    {63118, u"%s"},
    {63119, u"(none)"},

    // Question difference dialog: element and question types
    {63120, u"Chapter"},
    {63121, u"Question"},
    {63122, u"Loop"},
    {63123, u"Closed"},
    {63124, u"Numeric"},
    {63125, u"Date"},
    {63126, u"Open"},
    {63127, u"Probability"},

    // Reserved wave question
    {63128, u"%s"},
    {63129, u"Wave"},

    // Opening and saving campaigns
    {63130, u"PelkoPlim was unable to save the campaign due to a database error. The database error message returned was: \n\n%s"},
    {63131, u"PelkoPlim was unable to open the campaign due to a database error. The database error message returned was: \n\n%s"},

    // Removing campaign questions
    {63134, u"Are you sure you want to remove this question from the campaign?"},

    // Reconciliation page: matching confirmations
    {63136, u"• Break question matching between campaign question \"%s\" and source question \"%s\"\n"},
    {63137, u"• Add question matching between campaign question \"%s\" and source question \"%s\"\n"},
    {63138, u"Are you sure you want to continue?"},
    {63139, u"• Break response matching between campaign response \"%s\" and source response \"%s\"\n"},
    {63140, u"• Add response matching between campaign response \"%s\" and source response \"%s\"\n"},

    // Campaign tree: confirmations
    {63141, u"Are you sure you want to remove this wave from the campaign?"},
    {63142, u"Are you sure you want to remove this volume from the campaign?"},

    // Reconciliation page: matching confirmations
    {63143, u"• Merge campaign response \"%s\" (entry code %s) into campaign response \"%s\" (entry code %s)\n"},
    {63144, u"Are you sure you want to continue?"},

    // Reconciliation page grids
    {63147, u"%s (merged to \"%s\")"},

    // Difference dialogs: confirmations
    {63148, u"Are you sure you want to update the campaign response to be exactly the same as the matched source response?"},
    {63149, u"Are you sure you want to update the campaign question to be exactly the same as the matched source question?"},
    {63150, u"This will break the response matching and create a new campaign response based on the source response.\nAre you sure you want to continue?"},
    {63151, u"This will break the question matching and create a new campaign question based on the source question.\nAre you sure you want to continue?"},

    // Rotation behaviours
    {63153, u"Authorised"},
    {63154, u"Fixed"},
    {63155, u"Always follow previous"},

    // Fix-all differences report
    {63158, u"There are %d differences between the campaign question \"%s\" (%d) and the source question \"%s\" (%s) it is matched to in volume \"%s\"...\n"},
    {63159, u"Campaign question \"%s\" value changed from \"%s\" to \"%s\"\n"},
    {63160, u"There are %d differences between the campaign response \"%s\" (%d) and the source response \"%s\" (%s) it is matched to in volume \"%s\"...\n"},
    {63161, u"Campaign response \"%s\" value changed from \"%s\" to \"%s\"\n"},

    // Report files
    {63162, u"HTML Files (*.html)|*.html|All Files (*.*)|*.*||"},

    // Report window titles
    {63164, u"Reconciliation Summary for Wave \"%s\""},
    {63165, u"Reconciliation Report for Wave \"%s\""},

    // Reconciliation summary
    {63166, u"There are <b>%d</b> questions in the campaign that are included in the current wave\n"},
    {63167, u"There is <b>%d</b> question in the campaign that is included in the current wave\n"},
    {63168, u"There are <b>%d</b> questions in the source volumes of the current wave\n"},
    {63169, u"There is <b>%d</b> question in the source volumes of the current wave\n"},
    {63170, u"There are <b>%d</b> perfect question matches in the current wave\n"},
    {63171, u"There is <b>%d</b> perfect question match in the current wave\n"},
    {63172, u"There are <b>%d</b> questions that are matched to more than one source question in the current wave\n"},
    {63173, u"There is <b>%d</b> question that is matched to more than one source question in the current wave\n"},
    {63174, u"There are <b>%d</b> question matches with differences in the current wave\n"},
    {63175, u"There is <b>%d</b> question match with differences in the current wave\n"},
    {63176, u"There are <b>%d</b> questions in the campaign that are not matched in the current wave\n"},
    {63177, u"There is <b>%d</b> question in the campaign that is not matched in the current wave\n"},
    {63178, u"There are <b>%d</b> questions in the source volumes of the current wave that are not matched to a campaign question\n"},
    {63179, u"There is <b>%d</b> question in the source volumes of the current wave that is not matched to a campaign question\n"},

    // Source files
    {63181, u"The source file \"%s\" for the volume \"%s\" could not be found or is not a valid source file"},

    // Reconciliation page grids
    {63182, u"[%0*d]"},

    // Reconciliation summary
    {63183, u"There is %d difference between the campaign question \"%s\" (%d) and the source question \"%s\" (%s) it is matched to in volume \"%s\"...\n"},
    {63184, u"There is %d difference between the campaign response \"%s\" (%d) and the source response \"%s\" (%s) it is matched to in volume \"%s\"...\n"},
    {63185, u"Question part \"%s\"\n"},
    {63186, u"Campaign question value: \"%s\"\n"},
    {63187, u"Source question value: \"%s\"\n"},
    {63188, u"Response part \"%s\"\n"},
    {63189, u"Campaign response value: \"%s\"\n"},
    {63190, u"Source response value: \"%s\"\n"},

    // Difference lists
    {63193, u"Part"},
    {63194, u"Count"},

    // New volume wizard: ancestor volumes
    {63195, u"Volume name"},
    {63196, u"Relative size"},
    {63197, u"Inheritance compatibility"},

    // Volume source file dialogs
    {63198, u"sss"},
    {63200, u"mdd"},

    // Changing a volume source file
    {63203, u"The file '%s' is not \nexactly the same as the source file originally used to define this volume\nand may cause reconciliation errors in the DUV.\n\nAre you sure you wish to change the files? "},
    {63204, u"The file '%s' is not in a supported format."},
    {63205, u"The file '%s' does not exist."},

    // Source files
    {63206, u"The source file for the volume '%s' does \nnot contain the question '%s' which existed when the volume was \nfirst reconciled. The file may have been changed since the reconciliation."},

    // Difference dialogs: status
    {63207, u"Unchanged"},
    {63209, u"Changed"},

    // Reconciliation page grids
    {63210, u"Campaign Responses"},
    {63211, u"Source Responses"},

    // Source files
    {63212, u"The source file for the volume '%s' does \nnot contain the response '%s' which existed when the volume was \nfirst reconciled. The file may have been changed since the reconciliation."},

    // Removing campaign questions
    {63216, u"This question has %d sub-questions. Would you like to remove the sub questions, too?"},

    // Languages dialog
    {63217, u"Language"},
    {63218, u"Abbr."},

    // Matching methods: names
    {63219, u"Long caption"},

    // Matching methods: descriptions
    {63220, u"Match questions by question long captions"},

    // New volume wizard: inheritance compatibility
    {63221, u"excellent"},
    {63222, u"good"},
    {63223, u"fair"},
    {63224, u"poor"},

    // Database connection test
    {63225, u"An error occurred attempting to connect to the database using the specified connection string. Further error information: \n\tSource: %s\n\tDescription: %s"},
    {63226, u"An unknown error occurred attempting to connect to the database using the specified connection string."},
    {63227, u"The test connection to the survey database was successful."},

    // Volume properties
    {63228, u"Unreconciled"},
    {63229, u"Incomplete reconciliation"},
    {63230, u"Reconciled"},
    {63231, u"ZOZ file"},
    {63232, u"Dimensions"},
    {63233, u"Triple-S"},
    {63234, u"Excel"},

    // Volume source file dialogs
    {63235, u"xls"},
    {63236, u"Excel files (*.xls)|*.xls|All files (*.*)|*.*|"},

    // Matching-method editor
    {63238, u"Question matching"},
    {63239, u"Response matching"},

    // Rematching questions
    {63240, u"The campaign and source questions could not be rematched for the following reason(s):\t\n"},
    {63241, u"  • The questions have different loop hierarchies\n"},
    {63242, u"  • The campaign question has been removed\n"},
    {63243, u"  • The variables are of different and incompatible types\n"},
    {63244, u"  • The questions are of different and incompatible types\n"},

    // Reconciliation report
    {63246, u"Reconciling volume %d of %d, \"%s\""},
    {63247, u"Skipping reconciliation of volume %d of %d, \"%s\" as it is not unreconciled"},
    {63248, u"Broken inherited match for campaign question \"%s\" (ID %d) to source question with code %s because there is no source question in the volume with that source code"},
    {63249, u"Broken inherited match for campaign question \"%s\" (ID %d) to source question \"%s\" with code %s because the loop ancestry of the questions is different"},
    {63250, u"Broken inherited match for campaign question \"%s\" (ID %d) to source question \"%s\" with code %s because the ngram value for the question shortcuts was too low (%f)"},
    {63251, u"Matching questions strictly (matches will be checked against all matching methods)"},
    {63252, u"Matching questions non-strictly (matches will be made with the first successful matching method)"},
    {63253, u"Attempting to match questions using matching method %s..."},
    {63254, u"Campaign question \"%s\" (ID %d) has been matched to source question \"%s\" (ID %s)"},
    {63255, u"The following campaign questions could not be matched in this volume:"},
    {63256, u"Campaign question \"%s\" (ID %d)"},
    {63257, u"The following source questions in this volume could not be matched and were added as new campaign questions:"},
    {63258, u"Source question \"%s\" (ID %d)"},
    {63259, u"Checking inherited question matchings (%d) for validity in this volume"},
    {63260, u"%d new question matchings were made using this matching method"},
    {63261, u"Broken inherited match for campaign response \"%s\" (ID %d) to source response with code %s because there is no source response in the volume with that source code"},
    {63262, u"Checking inherited response matchings (%d) of question \"%s\" for validity in this volume"},
    {63263, u"%d of %d inherited matchings are still valid in this volume"},
    {63264, u"%d of %d inherited matchings are still valid in this volume"},
    {63265, u"Broken inherited match for campaign response \"%s\" (ID %d) to source response \"%s\" with code %s because the ngram value for the response short captions was too low (%f)."},
    {63266, u"Attempting to match responses using matching method %s..."},
    {63267, u"%d new response matchings were made using this matching method"},
    {63268, u"Campaign response \"%s\" (ID %d) has been matched to source response \"%s\" (ID %s)"},
    {63269, u"Matching responses of question \"%s\" (ID %d)"},
    {63270, u"The following campaign responses could not be matched in this question:"},
    {63271, u"Campaign response \"%s\" (ID %d)"},
    {63272, u"The following source responses in this question could not be matched and were added as new campaign responses:"},
    {63273, u"Source response \"%s\" (ID %d)"},

    // Command-line run
    {63275, u"Wave %d"},
    {63276, u"Command line generated wave for source file '%s'"},
    {63277, u"Volume %d"},

    // Reconciliation report
    {63278, u"Command line: \"%s\""},
    {63279, u"Reconciliation run %s"},

    // Command-line run
    {63280, u"Due to inherited question matches that must be broken the reconciliation for the new wave has failed. No changes to the DUV have been saved."},
    {63281, u"Due to inherited response matches that must be broken the reconciliation for the new wave has failed. No changes to the DUV have been saved."},
    {63282, u"Due to a number of new questions that must be added the reconciliation for the new wave has failed. No changes to the DUV have been saved."},
    {63283, u"Due to a number of new responses that must be added the reconciliation for the new wave has failed. No changes to the DUV have been saved."},
    {63284, u"Errors occurred during reconciliation. Check the report for details."},
    {63285, u"Errors in the DUV mean that it could not be read. Reconciliation was not performed. Error details: \n%s"},
    {63286, u"Due to unmatched campaign questions the reconciliation for the new wave has failed. No changes to the DUV have been saved."},
    {63287, u"Due to unmatched campaign responses the reconciliation for the new wave has failed. No changes to the DUV have been saved."},
    {63289, u"The ZOZ file '%s' specified in the command line could not be found."},
    {63290, u"The DUV file has been updated and a new wave added. Check the report for details."},
    {63291, u"The new wave was added successfully but the DUV was not updated. Check the report for details."},

    // Matching methods: names
    {63292, u"User data"},

    // Matching methods: descriptions
    {63293, u"Match responses by the user data associated with each response"},

    // Matching methods: names
    {63294, u"User data"},

    // Matching methods: descriptions
    {63295, u"Match questions by the user data associated with each question"},

    // Reconciliation report
    {63296, u"Attempting to match questions using matching method(s): %s..."},
    {63297, u"%d new question matchings were made using these matching methods"},
    {63298, u"%d new response matchings were made using these matching methods"},
    {63299, u"Attempting to match responses using matching method(s): %s..."},
    {63300, u"Matching responses strictly (matches will be checked against all matching methods)"},
    {63301, u"Matching responses non-strictly (matches will be made with the first successful matching method)"},
    {63303, u"Broken inherited match for campaign question \"%s\" (ID %d) to source question \"%s\" with code %s because the questions are of different question or element types"},

    // Source path kinds
    {63304, u"Absolute"},
    {63305, u"Relative"},
    {63306, u"UNC"},
    {63307, u"Unknown"},

    // Command-line run
    {63308, u"Unable to open the ZOZ file at '%s'"},
    {63309, u"Unable to find the link question '%s' in the ZOZ file '%s'"},

    // Campaign tree: confirmations
    {63310, u"Warning: any manual matching you have done for this wave will be lost!\n\n Are you sure you wish to redo reconciliation for this wave?"},
    {63311, u"Warning: every matching of this volume will be removed, manual matchings included, and so will the campaign questions and responses that first appeared in it and that no other volume matches.\n\nAre you sure you wish to unreconcile this volume?"},

    // Command names
    {63314, u"create new question"},
    {63316, u"break question matching"},
    {63318, u"create new response"},
    {63320, u"break response matching"},
    {63321, u"remove campaign response"},
    {63324, u"merge responses"},
    {63331, u"Undo"},
    {63332, u"Redo"},
    {63333, u"change campaign"},
    {63334, u"change language"},
    {63335, u"change response"},
    {63336, u"change question"},
    {63337, u"change volume"},
    {63338, u"change wave"},
    {63339, u"create response matching"},
    {63340, u"create question matching"},
    {63341, u"rematch response"},
    {63342, u"rematch question"},
    {63343, u"new volume"},
    {63344, u"new wave"},
    {63345, u"reorder responses"},
    {63346, u"reorder questions"},
    {63347, u"prepare default language"},
    {63348, u"reconcile wave"},
    {63349, u"remove volume"},
    {63350, u"remove wave"},
    {63351, u"swap response order"},
    {63352, u"unreconcile volume"},
    {63353, u"remove question"},
    {63354, u"re-reconcile wave"},

    // Packaging campaigns
    {63357, u"Choose a folder to store the campaign package"},
    {63358, u"The path specified is not valid. One or more of the \nintermediate directories does not exist."},
    {63359, u"Unable to create a folder to save the campaign package."},
    {63360, u"Unable to package the campaign files."},
    {63361, u"The campaign has been packaged. Would you like to open its folder in the file manager?"},
    {63364, u"Packaging campaign..."},
    {63365, u"Creating package location.."},
    {63366, u"Creating wave sub-folder.."},
    {63367, u"Creating volume sub-folder.."},
    {63368, u"Copying '%s'.."},
    {63369, u"Creating DUV file.."},
    {63370, u"Saving campaign.."},

    // Command names
    {63372, u"fix all differences"},

    // Command-line run
    {63373, u"Failed to add a new volume '%s' to the campaign."},

    // Changing a volume source file
    {63374, u"You have made earlier changes to this campaign. If the volume \nsource path is changed you will not be able to Undo or Redo \nthese earlier changes (these changes will not be lost and will \nnot be saved until you save the campaign). \n\nDo you want to change the volume source path?"},

    // Command names
    {63375, u"validated campaign"},

    // Validation report
    {63376, u"There is <b>%d</b> invalid question match to a source question which no longer exists in <b>%d</b> volume(s)\n"},
    {63377, u"There are <b>%d</b> invalid question matches to source questions which no longer exist in <b>%d</b> volume(s)\n"},
    {63378, u"There is <b>%d</b> invalid response match to a source response which no longer exists in <b>%d</b> volume(s)\n"},
    {63379, u"There are <b>%d</b> invalid response matches to  source responses which no longer exist in <b>%d</b> volume(s)\n"},
    {63380, u"Wave '%s'\n"},
    {63381, u"Volume '%s' (%s)\n"},
    {63382, u"Invalid question match: campaign question '%s' (ID %d), matched to a source question with the code '%s'\n"},
    {63383, u"Invalid response match: campaign response '%s' ( ID %d, question '%s'), matched to a source response with the code '%s'\n"},

    // Campaign validation
    {63384, u"The campaign is now valid; note that any changes to the campaign have not been saved."},
    {63385, u"The campaign could not be validated; note that any changes to the campaign have not been saved."},

    // Command names
    {63386, u"move to most recent version"},

    // Command-line run
    {63390, u"The campaign could not be validated. Open the DUV file in Plim to see details."},

    // Reconciliation report
    {63391, u"Broken inherited match for campaign question \"%s\" (ID %d) to source question \"%s\" with code %s because the ngram value for the shortcuts of the parent volume source question \"%s\" (code %s) and the source question was too low (%f)"},
    {63392, u"Broken inherited match for campaign response \"%s\" (ID %d) to source response \"%s\" with code %s because the ngram value for the short captions of the parent volume source response \"%s\" (code %s) and the source response was too low (%f)."},

    // Find question dialog
    {63393, u"Campaign question"},
    {63394, u"Source question"},

    // Command-line run
    {63395, u"Created wave \"%s\""},
    {63396, u"Created campaign \"%s\""},
    {63397, u"The DUV file \"%s\" has been created and a new wave added. Check the report for details."},

    // Command names
    {63398, u"maximise response counts"},
    {63399, u"create new language"},

    // Validation report
    {63400, u"There is <b>%d</b> new language in the source volume(s)\n"},
    {63401, u"There are <b>%d</b> new language in the source volume(s)\n"},

    // Reconciliation report
    {63402, u"Volume matching options: "},
    {63403, u"Matching strictly"},
    {63404, u"Not matching strictly"},
    {63405, u"Case sensitive"},
    {63406, u"Case insensitive"},
    {63407, u"Match using parent volume source values"},
    {63408, u"Not matching using parent volume source values"},
    {63409, u"Matching questions using methods: %s"},
    {63410, u"Matching responses using methods: %s"},

    // Reconciliation page grids
    {63411, u"Long Caption"},
    {63412, u"%s"},

    // Opening and saving campaigns
    {63413, u"This version of Plim (%s) is older than the version used to create the file being opened (%s). You are recommended to update your installation of Plim."},

    // Source-file report
    {63414, u"Source File Problems"},
    {63415, u"The campaign contains volume(s) that have source files which either cannot be found or cannot be opened. You are advised to correct this and open the campaign again."},
    {63416, u"Wave '%s'"},
    {63417, u"Volume '%s' - the source file at '%s' %s"},
    {63418, u"is missing"},
    {63419, u"exists but cannot be opened"},

    // Command-line run
    {63420, u"The campaign contains volume source files that either do not exist or could not be opened. Open the campaign file in Plim for more details."},

    // Validation report
    {63421, u"There is <b>%d</b> question match in <b>%d</b> volume for a campaign question which has been deleted in a wave that is earlier than the volume the matching is valid for\n"},
    {63422, u"There are <b>%d</b> question matches in <b>%d</b> volume(s) for campaign questions which have been deleted in waves that are earlier than the volumes the matchings are valid for\n"},
    {63423, u"There is <b>%d</b> response match in <b>%d</b> volume for a campaign response which has been deleted in a wave that is earlier than the volume the matching is valid for\n"},
    {63424, u"There are <b>%d</b> response matches in <b>%d</b> volume(s) for campaign responses which have been deleted in waves that are earlier than the volumes the matchings are valid for\n"},
    {63425, u"Deleted campaign question: campaign question '%s' (ID %d), matched to a source question with the code '%s', was deleted in Wave '%s' (ID %d)\n"},
    {63426, u"Deleted campaign response: campaign response '%s' (ID %d, question '%s'), matched to a source response with the code '%s' was deleted in Wave '%s' (ID %d)\n"},

    // Rematching
    {63427, u"Do you want to remove the campaign question '%s' that the rematched source question was originally matched to?"},
    {63428, u"Do you want to remove the campaign response '%s' that the rematched source response was originally matched to?"},

    // Question difference kinds
    {63429, u"Long captions"},

    // Question difference dialog: details
    {63430, u"The long captions for the questions are not the same."},

    // Duplicates
    {63432, u"Check for duplicates"},
    {63433, u"Count"},
    {63435, u"Remove/leave these duplicates"},
    {63437, u"remove duplicate response"},
    {63439, u"remove duplicate questions and reponses"},
    {63440, u"Checking for duplicates"},
    {63441, u"Checking questions"},

    // Opening and saving campaigns
    {63443, u"Checking the campaign validity"},

    // Caption-library dialog
    {63445, u"(group name)"},
    {63446, u"(label text)"},
    {63447, u"Group name"},
    {63448, u"Label text"},
    {63450, u"Add the selected group to the selected library"},
    {63451, u"Save any changes and close"},
    {63452, u"Close without saving any changes"},

    // Reconciliation page: matching confirmations
    {63453, u"• Remove the campaign response '%s'.\n"},
    {63454, u"Are you sure you want to continue?"},

    // Merging responses
    {63455, u"Would you like to add the response captions to the captions library?"},

    // Caption-library dialog
    {63456, u"Role"},
    {63457, u"Base"},
    {63458, u"Duplicate"},
    {63459, u"Apply"},
    {63460, u"OK"},

    // Command names
    {63461, u"apply caption libraries"},

    // Question difference dialog: details
    {63463, u"The questions do not have the same value for the property \"Develop Levels\"."},

    // Question difference kinds
    {63464, u"Develop levels"},

    // Opening and saving campaigns
    {63465, u"The version of this campaign is old. Upgrading to the current version is recommended, but cannot be undone once applied.\n\nDo you want to upgrade to the current version?"},

    // Difference dialogs: details by language
    {63466, u"The short captions for the questions are not the same for the language '%s'."},
    {63467, u"The long captions for the questions are not the same for the language '%s'."},
    {63468, u"The short captions of the responses are not the same for the language '%s'."},

    // Difference column titles by language
    {63469, u"Short captions for language '%s'."},
    {63470, u"Long captions for language '%s'."},
    {63471, u"Short captions for language '%s'."},

    // Campaign tree: confirmations
    {63472, u"Do you want to apply a caption library during reconciliation?"},

    // Caption-library dialog
    {63473, u"Reconcile"},
    {63474, u"Save any changes and reconcile using the selected libraries"},
    {63475, u"Close without saving changes or reconciling"},

    // Commands
    {63476, u"no error information available"},

    // Validation report
    {63477, u"Invalid question match: campaign question (ID %d), matched to a source question with the code '%s' - WARNING - the campaign question could not be retrieved!\n"},
    {63478, u"Invalid response match: campaign response (ID %d, question '%s'), matched to a source response with the code '%s' - WARNING - the campaign response could not be retrieved!\n"},
    {63479, u"Invalid response match: campaign response '%s' (ID %d, question ID %d), matched to a source response with the code '%s' - WARNING - the campaign question could not be retrieved!\n"},
    {63480, u"Deleted campaign question: campaign question '%s' (ID %d), matched to a source question with the code '%s', was deleted in the wave with ID %d - WARNING - the wave could not be retrieved!\n"},
    {63481, u"Deleted campaign question: campaign question (ID %d), matched to a source question with the code '%s' - WARNING - the campaign question could not be retrieved!\n"},
    {63482, u"Deleted campaign response: campaign response (ID %d, question ID %d), matched to a source response with the code '%s' - WARNING - the campaign response could not be retrieved!\n"},
    {63483, u"Deleted campaign response: campaign response '%s' (ID %d, question ID %d), matched to a source response with the code '%s' - WARNING - the campaign question or the wave it was deleted in could not be retrieved!\n"},
    {63484, u"Invalid question matches (%d)\n"},
    {63485, u"Invalid response matches (%d)\n"},
    {63486, u"Deleted questions (%d)\n"},
    {63487, u"Deleted responses (%d)\n"},

    // Open-numeric question pairs
    {63488, u"Open Numeric Question Pairs"},
    {63489, u"There is %d open source question that should possibly be converted to a numeric question and then rematched to the corresponding numeric campaign question."},
    {63490, u"Numeric campaign question '%s' with ID '%d'"},
    {63491, u"Open campaign question '%s' with ID '%d', new in volume '%s'"},
    {63492, u"There are %d open source questions that should possibly be converted to numeric questions and then rematched to the corresponding numeric campaign questions."},
    {63493, u"No open-numeric equivalents were found for this wave."},

    // Reconciliation report
    {63494, u"Skipping reconciliation unmatched campaign questions in volume %d of %d, \"%s\" as it has not yet been reconciled"},
    {63495, u"Using caption libraries"},
    {63496, u"Not using caption libraries"},

    // Command names
    {63498, u"re-order questions"},

    // Opening and saving campaigns
    {63499, u"Plim Files (*.duv)|*.duv|All Files (*.*)|*.*||"},
    {63500, u"Save changes to %s?"},
    {63501, u"Untitled01.duv"},

    // Property pane
    {63502, u"None"},
    {63503, u"(Not set)"},

    // Reconciliation page grids
    {63504, u"Source Questions"},
    {63506, u"Campaign Questions"},
    {63507, u"%d"},
    {63508, u"Code"},
    {63509, u"Shortcut"},
    {63510, u"%d"},
    {63511, u"%s"},
    {63512, u"Not matched"},
    {63513, u" "},
    {63514, u"Short Caption"},

    // Campaign file errors
    {63515, u"Error %s"},
    {63516, u"Error %s"},

    // Reconciliation page grids
    {63517, u"%s"},

    // Campaign question tree buttons
    {63518, u"Move question(s) up"},
    {63519, u"Move question(s) down"},
    {63520, u"Move question(s) left"},
    {63521, u"Move question(s) right"},
    {63522, u"Add a chapter"},

    // Command names
    {63523, u"new chapter"},

    // Environment options page
    {63524, u"Currently using global options"},
    {63525, u"Currently using local options"},
    {63526, u"PlimLocalOptions.xml"},
    {63527, u"XML Files (*.xml)|*.xml|All Files (*.*)|*.*||"},
    {63528, u"xml"},
    {63529, u"Save the current PelkoPlim options to a file"},

    // Validation report
    {63530, u"There is <b>%d</b> invalid question match to a campaign question which does not exist\n"},
    {63531, u"There are <b>%d</b> invalid question matches to campaign questions which do not exist\n"},
    {63532, u"There is <b>%d</b> invalid response match to a campaign response which does not exist\n"},
    {63533, u"There are <b>%d</b> invalid response matches to  campaign responses which do not exist\n"},
    {63534, u"Missing campaign questions\n"},
    {63535, u"Missing campaign responses\n"},
    {63536, u"ID '%d', shortcut \"%s\"\n"},
    {63537, u"ID '%d' (Question ID '%d'), short caption \"%s\"\n"},

    // Command names
    {63538, u"remove question matching"},
    {63539, u"remove response matching"},

    // Checking a campaign against its sources
    {63540, u"Checking completed!"},
    {63541, u"Building report..."},
    {63543, u"Opening the file"},
    {63546, u"Cancelling, please wait..."},
    {63547, u"Checking campaign cancelled"},

    // Campaign validation
    {63548, u"Failed to validate the campaign"},
    {63549, u"The campaign has been validated!"},
    {63550, u"Validating the campaign"},
    {63551, u"Correcting invalid matchings..."},

    // Checking a campaign against its sources
    {63553, u"Comparing campaign and source..."},

    // Maximising response counts
    {63554, u"%d question(s) updated."},
    {63555, u"Keep existing 'max response count' values if they are higher than any matched source value?"},

    // Campaign question tree
    {63556, u"Missing matched campaign question with ID '%d'."},

    // Validation report
    {63557, u"There is <b>%d</b> question match in <b>%d</b> volume for a campaign question which has a different loop-hierarchy than the question it is matched to. These cannot be corrected by Plim - you must check and correct these manually so that the campaign can be opened in Tally and Lumen.\n"},
    {63558, u"There are <b>%d</b> question matches in <b>%d</b> volume(s) for campaign questions which have a different loop-hierarchy than the questions they are matched to. These cannot be corrected by Plim - you must check and correct these manually so that the campaign can be opened in Tally and Lumen.\n"},
    {63559, u"Matched questions with different loop-hierarchy (%d)\n"},
    {63560, u"Different loop hierarchy: campaign question '%s' (ID %d), matched to the source question '%s' with code '%s'\n"},

    // Campaign validation
    {63561, u"The campaign has been validated, but there are matched questions that have different loop hierarchies. These cannot be corrected by Plim - you must check and correct these manually so that the campaign can be opened in Tally and Lumen.\n"},

    // Sibling programs: registry open commands
    {63564, u"Applications\\TallyU.exe\\shell\\open\\command"},

    // Starting PelkoQuill
    {63565, u"Unable to find the path to the PelkoQuill executable. Please check your installation is correct and try to start PelkoQuill manually."},
    // Loading a volume's questionnaire
    {63720, u"The questionnaire of a volume can only be read from a file."},
    {63721, u"Source type %d is not supported: only ZOZ, Dimensions and Triple-S questionnaires can be read."},
    // Commands
    {63740, u"The campaign already has the language %d."},

    // Command line
    {63900, u"Unknown switch. Run \"plim -?\" to list the switches."},
    {63901, u"Only one campaign file can be opened at a time."},
    {63902, u"The window program is not available. Run \"plim -?\" to see the command-line use."},
    {63903, u"The new wave could not be added to the campaign."},
    {63904, u"The list file '%s' could not be read."},
    {63905, u"No source file to add: the list files of the command line name none."},
    {63906, u"It is neither a ZOZ, a Triple-S nor a Dimensions questionnaire."},
    {63907, u"The reconciliation report could not be written to '%s'."},
    {63908, u"The report file '%s' is the same file as '%s', which the run reads or saves: the report would overwrite it."},
    // Saving
    {63910, u"These source files could not be copied into the campaign's data folder '%s'; their volumes keep using them where they are, and the copies are tried again at the next save:\n\n%s"},
    // Reading a campaign file
    {63930, u"The volume \"%s\" (%d) inherits from the volume %d, which is not in the campaign file: it was read as a root volume."},
    {63931, u"The campaign file '%s' was not found."},
    // The window program
    {63950, u"No display is available for the window program. Run \"plim -?\" to see the command-line use."},
    {63952, u"Unable to start the application '%s'. Please check your installation is correct and try to start '%s' manually.\n\nError code: %d."},
    {63953, u"Unable to open the tutorial folder - check that it exists and that you have access to it"},
    {63954, u"Plim User Guide"},
    {63955, u"The user guide could not be found. Plim looks for it in:\n\n%s"},
    {63956, u"The report could not be saved as '%s':\n\n%s"},
    {63957, u"The caption library file '%s' could not be read, so the caption libraries are kept in '%s'."},
    {63958, u"%s Version %s"},
    {63959, u"About Plim"},
    {63960, u"Untitled"},
    {63961, u"Plim Wiki"},
    {63962, u"Documentation"},
    {63963, u"Campaign Validation"},
    // The Update dialog
    {63970, u"Campaign question \"%s\" could not be changed from \"%s\" to \"%s\"\n"},
    {63971, u"Campaign response \"%s\" could not be changed from \"%s\" to \"%s\"\n"},
    // Choosing a volume's source file
    {63980, u"All questionnaires (*.zoz;*.sss;*.xml;*.mdd)|*.zoz;*.sss;*.xml;*.mdd|ZOZ files (*.zoz)|*.zoz|Triple-S files (*.sss;*.xml)|*.sss;*.xml|Dimensions files (*.mdd)|*.mdd|All files (*.*)|*.*||"},
    {63981, u"No file of this name exists."},
    {63982, u"This is a folder: choose a file in it."},
    {63983, u"The file cannot be read: you have no permission to read it."},
    // Opening a campaign file
    {63984, u"The file '%s' is not a Plim campaign.\n\nDetails: %s"},
    {63985, u"The file '%s' cannot be read.\n\nDetails: %s"},
    // Choosing a volume's source file
    {63986, u"This is not an ordinary file (a device or a pipe): choose a questionnaire file."},
    // Renaming
    {63990, u"A question's name cannot be empty. The question keeps its name \"%s\"."},
    {63991, u"A name cannot be empty. \"%s\" keeps its name."},
    // Showing a folder in the file manager
    {63995, u"The folder '%s' could not be opened in the file manager."},
};
// clang-format on

constexpr bool IsSortedWithoutDuplicates()
{
    for (std::size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].Id >= kStrings[i].Id)
            return false;
    }
    return true;
}

static_assert(IsSortedWithoutDuplicates(), "the string table must be sorted by id, each id once");

} // namespace

QString LoadString(unsigned id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const SStringEntry& e, unsigned v) { return e.Id < v; });
    if (it == std::end(kStrings) || it->Id != id)
        return QString();
    return QString::fromUtf16(it->Text);
}

std::span<const SStringEntry> GetStringTable()
{
    return kStrings;
}
