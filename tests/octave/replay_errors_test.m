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

  ## Integer classes are numbers too, and the session goes on.
  assert (size (corvalent2_replay (int16 (ones (3, 13)))), [3, 6]);
endfunction
