## expect_error (CALL, ID, MESSAGE): CALL () must raise an Octave error with exactly
## this identifier and message.
function expect_error (call, id, message)
  try
    call ();
  catch err
    assert (err.identifier, id);
    assert (err.message, message);
    return;
  end_try_catch
  error ("expected the error %s, but the call returned", id);
endfunction
