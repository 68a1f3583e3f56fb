## Bad arguments and bad scenarios are Octave errors of ours; nothing runs and the
## session goes on.
function simulate_errors_test ()
  missing = [tempname() ".json"];
  expect_error (@() corvalent2_simulate (missing), "Corvalent2:simulate:unreadableScenario",
                ["corvalent2_simulate: scenario: cannot read '" missing "': No such file or directory"]);
  folder = tempname ();
  mkdir (folder);
  unwind_protect
    expect_error (@() corvalent2_simulate (folder), "Corvalent2:simulate:unreadableScenario",
                  ["corvalent2_simulate: scenario: cannot read '" folder "': it is a directory"]);
    twice = fullfile (folder, "twice.json");
    write_text (twice, "{\"duration\": 1, \"duration\": 2}");
    expect_error (@() corvalent2_simulate (twice), "Corvalent2:simulate:invalidScenario",
                  "corvalent2_simulate: scenario: key 'duration' appears twice in one object");
    no_duration = fullfile (folder, "no_duration.json");
    write_text (no_duration, "{\"profiles\": {\"iqCommand\": [[0, 1]], \"steerAngle\": [[0, 0]], \"udc\": [[0, 400]]}}");
    expect_error (@() corvalent2_simulate (no_duration), "Corvalent2:simulate:invalidScenario",
                  "corvalent2_simulate: scenario: duration: required key is missing");
  unwind_protect_cleanup
    confirm_recursive_rmdir (false, "local");
    rmdir (folder, "s");
  end_unwind_protect

  expect_error (@() corvalent2_simulate (3), "Corvalent2:simulate:badFile",
                "corvalent2_simulate: the scenario is named by a file name (text), not double");
  option_text = "corvalent2_simulate: the only option is \"decimate\", followed by a whole number of at least 1";
  for bad = {{"decimate", 0}, {"decimate", 2.5}, {"decimate", "2"}, {"decimate"}, {"every", 2}}
    expect_error (@() corvalent2_simulate ("", bad{1}{:}), "Corvalent2:simulate:badOption",
                  option_text);
  endfor

  ## A short valid scenario still runs afterwards.
  short = [tempname() ".json"];
  write_text (short, "{\"duration\": 0.001, \"profiles\": {\"iqCommand\": [[0, 10]], \"steerAngle\": [[0, 0]], \"udc\": [[0, 400]]}}");
  unwind_protect
    assert (numel (corvalent2_simulate (short).time_s), 20);
  unwind_protect_cleanup
    delete (short);
  end_unwind_protect
endfunction

function write_text (file, text)
  fid = fopen (file, "w");
  assert (fid >= 0);
  assert (fputs (fid, text), 0);
  assert (fclose (fid), 0);
endfunction
