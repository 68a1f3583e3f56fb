#pragma once

// The host's diagnostic messages in its XML form, stored whole where they carry no
// argument and as formats where they do.

#define DIAGNOSTIC(id) \
  "<diag_root><diag id=\"Simulink:SFunctions:" id "\"><arguments></arguments></diag></diag_root>"

inline constexpr const char* kDiagNoTimeOfNextVarHit =
    DIAGNOSTIC("SimStructNoMdlGetTimeOfNextVarHit");
inline constexpr const char* kDiagNoZeroCrossings = DIAGNOSTIC("SimStructNoMdlZeroCrossings");
inline constexpr const char* kDiagUnexpectedGetSimState =
    DIAGNOSTIC("SimStructUnexpectedGetSimState");
inline constexpr const char* kDiagUnexpectedSetSimState =
    DIAGNOSTIC("SimStructUnexpectedSetSimState");
inline constexpr const char* kDiagInvalidFlagInSimulinkC =
    DIAGNOSTIC("SimStructInvalidFlagInSimulinkC");
inline constexpr const char* kDiagInvalidRtwPairValueType =
    DIAGNOSTIC("SimStructInvalidRTWPairValueType");
inline constexpr const char* kDiagInvalidRtwPairName = DIAGNOSTIC("SimStructInvalidRTWPairName");
inline constexpr const char* kDiagInvalidRtwPairDimension =
    DIAGNOSTIC("SimStructInvalidRTWPairDimension");
inline constexpr const char* kDiagNullRtwPair = DIAGNOSTIC("SimStructNullRTWPair");
inline constexpr const char* kDiagInvalidRtwParamValueType =
    DIAGNOSTIC("SimStructInvalidRTWParamValueType");
inline constexpr const char* kDiagInvalidRtwParamArgument =
    DIAGNOSTIC("SimStructInvalidRTWParamArgument");
inline constexpr const char* kDiagInvalidRtwParamSetting =
    DIAGNOSTIC("SimStructInvalidRTWParamSetting");
inline constexpr const char* kDiagInvalidRtwWorkVectorName =
    DIAGNOSTIC("SimStructInvalidRTWWorkVectorName");
inline constexpr const char* kDiagInvalidRtwWorkVectorNumArgs =
    DIAGNOSTIC("SimStructInvalidRTWWorkVectorNumArgs");

#undef DIAGNOSTIC

inline constexpr const char* kDiagUnexpectedFunctionCallFormat =
    "<diag_root><diag id=\"Simulink:SFunctions:SimStructUnexpectedFunctionCall\"><arguments>"
    "<arg type=\"string\">%s</arg></arguments></diag></diag_root>";
inline constexpr const char* kDiagWorkVectorSizeMismatchFormat =
    "<diag_root><diag id=\"Simulink:SFunctions:SimStructRTWWorkVectorSizeMismatch\"><arguments>"
    "<arg type=\"string\">%s</arg><arg type=\"numeric\">%d</arg><arg type=\"string\">%s</arg>"
    "<arg type=\"numeric\">%d</arg></arguments></diag></diag_root>";

// Ids of the errors the gateway raises in the host.
inline constexpr const char* kErrTooFewRhsArguments =
    "Simulink:SFunctions:SimStructTooFewRHSArguments";
inline constexpr const char* kErrTooManyLhsArguments =
    "Simulink:SFunctions:SimStructTooManyLHSArguments";
inline constexpr const char* kErrFlagNotInteger =
    "Simulink:SFunctions:SimStructForthRHSArgIsNotInteger";
inline constexpr const char* kErrInvalidFlag = "Simulink:SFunctions:SimStructInvalidFlagPassedToSfcn";
inline constexpr const char* kErrNameMismatch = "Simulink:SFunctions:SimStructSFunctionNameMismatch";
