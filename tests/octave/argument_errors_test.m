## Every argument error of the sizes call is an Octave error whose identifier is the id
## and whose message names the arguments; the session goes on after each.
function argument_errors_test ()
  name = "MEX level2 S-function \"Corvalent2\"";
  few = "Simulink:SFunctions:SimStructTooFewRHSArguments";
  many = "Simulink:SFunctions:SimStructTooManyLHSArguments";
  not_integer = "Simulink:SFunctions:SimStructForthRHSArgIsNotInteger";
  invalid = "Simulink:SFunctions:SimStructInvalidFlagPassedToSfcn";
  mismatch = "Simulink:SFunctions:SimStructSFunctionNameMismatch";

  expect_error (@() Corvalent2 (0, [], 0), few, [few ": " name ", 4"]);
  expect_error (@() Corvalent2 (), few, [few ": " name ", 4"]);
  ## Too few arguments is tested first, whatever else is wrong.
  expect_error (@() two_results (0, [], "x"), few, [few ": " name ", 4"]);
  expect_error (@() two_results (0, [], 0, 0), many, [many ": " name]);

  for flag = {[0, 0], [], complex(0, 0), "a", 0.5, NaN, Inf, -Inf, 2147483648, ...
              -2147483649, single(0), int32(0), true, {0}}
    expect_error (@() Corvalent2 (0, [], 0, flag{1}), not_integer, [not_integer ": " name]);
  endfor
  for flag = {3, -1, 2147483647, -2147483648}
    expect_error (@() Corvalent2 (0, [], 0, flag{1}), invalid, [invalid ": " name]);
  endfor

  ## A record named by a handle, whose name is the block name with one character more
  ## or less.
  expect_error (@() call_with_named_record ("Corvalent2x"), mismatch,
                [mismatch ": Corvalent2, Corvalent2x"]);
  expect_error (@() call_with_named_record ("Corvalent"), mismatch,
                [mismatch ": Corvalent2, Corvalent"]);

  ## A handle typed at the command line names no record that can be read.
  expect_error (@() Corvalent2 (0, [1; 2; 8480229], 0, 0), mismatch, [mismatch ": Corvalent2, "]);
  expect_error (@() Corvalent2 (0, [4096; 0; 8480229], 0, 0), mismatch, [mismatch ": Corvalent2, "]);

  ## The session and the module go on.
  assert (Corvalent2 (0, [], 0, 0)(24), 537403394);
endfunction

function two_results (varargin)
  [a, b] = Corvalent2 (varargin{:});
endfunction
