#pragma once
// The user's file-type policy "LowRiskFileTypes", set to ".exe" so that the driver
// package's installer program starts without a security question.

// Remembers what the user had (the value, or that there was none), then writes ".exe".
void SetLowRiskFileTypes();
// Puts back what SetLowRiskFileTypes found: the user's value, or no value. When that
// could not be read, writes ".txt". Does nothing when the policy key is missing.
void RestoreLowRiskFileTypes();
void ResetLowRiskFileTypesMemory();
