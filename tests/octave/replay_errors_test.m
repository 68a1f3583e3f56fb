## Bad arguments to corvalent2_replay are Octave errors of ours; the session goes on.
function replay_errors_test ()
  columns = "Corvalent2:replay:wrongColumnCount";
  numeric = "Corvalent2:replay:nonNumericInput";
  option = "Corvalent2:replay:badOption";
  option_text = "corvalent2_replay: the only option is \"via\", followed by \"slot\" or \"flag\"";

  expect_error (@() corvalent2_replay (zeros (2, 12)), columns,
                "corvalent2_replay: U must have 13 columns (iabc1_a ... steerAngle), not 2-by-12");
  expect_error (@() corvalent2_replay (zeros (13, 1)), columns,
                "corvalent2_replay: U must have 13 columns (iabc1_a ... steerAngle), not 13-by-1");
  expect_error (@() corvalent2_replay (zeros (2, 13, 2)), columns,
                "corvalent2_replay: U must have 13 columns (iabc1_a ... steerAngle), not 2-by-13-by-2");
  expect_error (@() corvalent2_replay (repmat ("a", 1, 13)), numeric,
                "corvalent2_replay: U must be a real numeric matrix, not char");
  expect_error (@() corvalent2_replay (true (1, 13)), numeric,
                "corvalent2_replay: U must be a real numeric matrix, not logical");
  expect_error (@() corvalent2_replay (num2cell (zeros (1, 13))), numeric,
                "corvalent2_replay: U must be a real numeric matrix, not cell");
  expect_error (@() corvalent2_replay (complex (zeros (1, 13))), numeric,
                "corvalent2_replay: U must be a real numeric matrix, not complex double");
  expect_error (@() corvalent2_replay (), "Corvalent2:replay:missingInput",
                "corvalent2_replay: the input rows U are missing");
  expect_error (@() corvalent2_replay (zeros (1, 13), "via"), option, option_text);
  expect_error (@() corvalent2_replay (zeros (1, 13), "via", "both"), option, option_text);
  expect_error (@() corvalent2_replay (zeros (1, 13), "by", "slot"), option, option_text);

  ## A Corvalent2 earlier on the path than the module: one that raises, and one that
  ## answers without installing anything.
  shadow = tempname ();
  mkdir (shadow);
  unwind_protect
    addpath (shadow);
    write_function (shadow, "error (\"My:shadow\", \"not the module\");");
    expect_error (@() corvalent2_replay (zeros (1, 13)), "Corvalent2:octave:installFailed",
                  "corvalent2_replay: the installing call of Corvalent2 failed: My:shadow: not the module");
    write_function (shadow, "s = zeros (40, 1);");
    expect_error (@() corvalent2_replay (zeros (1, 13)), "Corvalent2:octave:notInstalled",
                  "corvalent2_replay: the plug-in did not declare nine inputs and two outputs of the block's widths");
  unwind_protect_cleanup
    rmpath (shadow);
    confirm_recursive_rmdir (false, "local");
    rmdir (shadow, "s");
  end_unwind_protect

  ## Integer classes are numbers too, and the session goes on.
  assert (size (corvalent2_replay (int16 (ones (3, 13)))), [3, 6]);
endfunction

function write_function (folder, body)
  fid = fopen (fullfile (folder, "Corvalent2.m"), "w");
  assert (fid >= 0);
  fprintf (fid, "function s = Corvalent2 (varargin)\n  %s\nendfunction\n", body);
  assert (fclose (fid), 0);
  rehash ();
  clear ("Corvalent2");
endfunction
