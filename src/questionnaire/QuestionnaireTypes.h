#pragma once

// The codes a questionnaire's items carry, shared by the three readers, the ZOZ writer and the
// program that reads them (question kinds, difference texts, loop masks).

namespace qnr {

// Source type of a volume: the format `CQuestionnaire::Read` is asked to read.
enum DataBaseType : int
{
    DataBaseZoz = 0,        // the program's own format (".zoz")
    DataBaseDimensions = 1, // Dimensions metadata document (".mdd")
    DataBaseTripleS = 2,    // Triple-S XML metadata (".sss", ".xml")
};

// `CQuestion::GetTypeElement`: what an item of the questionnaire is.
enum ElementType : int
{
    ElementChapter = 0,  // a heading that groups the items below it (Dimensions blocks too)
    ElementQuestion = 1, // a question
    ElementLoop = 2,     // a loop or grid: the items below it are asked once per iteration
};

// `CQuestion::GetTypeQuestion` of a question (element type 1).
enum QuestionType : int
{
    QuestionNone = 0,        // chapters
    QuestionClosed = 1,      // single or multiple choice (see EstMultiple), scales included
    QuestionInfo = 2,        // a text shown without an answer
    QuestionDate = 3,        // date or time of day (see GetDateType)
    QuestionOpen = 4,        // open text
    QuestionNumeric = 5,     // number, with decimals and bounds
    QuestionLogical = 6,     // yes/no flag
    QuestionProbability = 8, // probability (ZOZ only)
};

// `CQuestion::GetTypeQuestion` of a loop (element type 2).
enum LoopType : int
{
    LoopCategorical = 1, // iterates over its responses
    LoopNumeric = 2,     // iterates from GetBorneMin to GetBorneMax
    LoopGrid = 3,        // a categorical loop shown as a grid
    LoopLevel = 4,       // a hierarchical level; its iterations come from the question it links
                         // to (IsLevelLink, GetCodeQuestionSource)
};

// `CQuestion::GetDateType` of a date question; 0 for every other question.
enum DateType : int
{
    DateNone = 0,
    DateDay = 1,     // a calendar date
    DateTime = 2,    // a time of day
    DateDayTime = 3, // date and time
};

// `CModalite::GetRotationBehaviour`: how a response moves when the list is rotated.
enum RotationBehaviour : int
{
    RotationAuthorised = 0,
    RotationFixed = 1,
    RotationFollowPrevious = 2,
};

} // namespace qnr
