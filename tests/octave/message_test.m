## message turns an id and its arguments into what Octave's error accepts.
function message_test ()
  assert (message ("A:b"), struct ("message", "A:b", "identifier", "A:b"));
  assert (message ("A:b", "x", 4), struct ("message", "A:b: x, 4", "identifier", "A:b"));
  assert (message ("A:b", "", -7, 0.5).message, "A:b: , -7, 0.5");
  assert (message ("A:b", [1 2]).message, "A:b: [1 2]");
  try
    error (message ("Corvalent2:test:raised", "MEX level2 S-function \"Corvalent2\"", 4));
  catch err
    assert (err.identifier, "Corvalent2:test:raised");
    assert (err.message, "Corvalent2:test:raised: MEX level2 S-function \"Corvalent2\", 4");
  end_try_catch
  assert (exist ("err", "var"), 1);
endfunction
