// The record file decoded without CFileReadWrite, so tests check written files against a
// reading of the format of their own: each record as its kind letter (B, I, S), ":" and
// its value as text.
#pragma once
#include <string>
#include <vector>

std::vector<unsigned char> FileBytes(const std::string& path);
std::vector<std::string> DecodeRecords(const std::vector<unsigned char>& bytes);
