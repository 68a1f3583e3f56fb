#pragma once

// Raising a host error from the gateway: a message object built by the host's
// "message" function, then thrown by its "error" function. The host ends the gateway
// call there; should it come back, the caller must return at once.

void raiseHostError(const char* id, const char* argument);
void raiseHostError(const char* id, const char* argument, double number);
void raiseHostError(const char* id, const char* argument, const char* secondArgument);
