#include "error_reporting.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "mex_api.h"

void reportBlockError(SimStruct* block, const char* message) {
  SimStruct* root = block->root;
  root->modelInfo->flags &= static_cast<uint8_t>(~kModelFlagErrorKind);
  root->errorStatus = message;
}

void reportFormattedBlockError(SimStruct* block, const char* text) {
  char* buffer = block->root->modelInfo->errorBuffer;
  std::size_t n = std::strlen(text) + 1;
  if (n > kErrorBufferSize - 1) n = kErrorBufferSize - 1;
  std::memcpy(buffer, text, n);
  // A cut text ends at the buffer's last byte; write it, since a host's buffer need
  // not have been zero-filled.
  buffer[kErrorBufferSize - 1] = '\0';
  reportBlockError(block, buffer);
}

void warnWithBlockPath(SimStruct* block, const char* message) {
  if (block->path == nullptr) {
    mexWarnMsgTxt(message);
    return;
  }
  const std::size_t size = std::strlen(message) + std::strlen(block->path) + 16;
  char* text = static_cast<char*>(std::malloc(size));
  if (text == nullptr) {
    mexWarnMsgTxt(message);
    return;
  }
  std::snprintf(text, size, "block '%s': %s", block->path, message);
  mexWarnMsgTxt(text);
  std::free(text);
}
