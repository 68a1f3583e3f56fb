## [SIZES, FAILURE] = corvalent2_install (HANDLE): the host's installing call of the
## Corvalent2 module for the driver beside it, with the record handle HANDLE. An error
## the call raises comes back as FAILURE (identifier, message), [] when none, so that it
## never unwinds through the driver.
function [sizes, failure] = corvalent2_install (handle)
  sizes = [];
  failure = [];
  try
    sizes = Corvalent2 (0, handle, 0, 0);
  catch err
    failure = struct ("identifier", err.identifier, "message", err.message);
  end_try_catch
endfunction
