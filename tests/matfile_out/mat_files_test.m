## mat_files_test (DIR): GNU Octave loads every kind of MAT file the corvalent2 tool
## writes (make_mat_files.py put them in DIR), and their values equal the CSV's: block
## signals bit for bit, plant quantities as the CSV prints them (ten significant digits).
function mat_files_test (dir)
  [header, csv] = read_csv (fullfile (dir, "csv", "default.csv"));
  assert (rows (csv), 70000);
  scenario = fileread (getenv ("CORVALENT2_DEFAULT_SCENARIO"));
  for version = {"v73", "v5"}
    M = load (fullfile (dir, version{1}, "default.mat"));
    assert (sort (fieldnames (M))', sort ([header, {"scenario", "sampleTime_s", "toolVersion"}]));
    singles = check_log (M, header, csv);
    assert (singles, 19);
    ## Octave's reader of 7.3 files gives their text as UTF-16 codes: char() turns them back.
    assert (char (M.scenario), scenario);
    assert (M.sampleTime_s, 50e-6);
    assert (strncmp (char (M.toolVersion), "corvalent2 ", 11));
  endfor
  check_replay (dir, csv(:, 1));
endfunction

## Compares each column of the log M with the CSV; returns how many were singles.
function singles = check_log (M, header, csv)
  singles = 0;
  for k = 1:numel (header)
    values = M.(header{k});
    assert (size (values), [rows(csv), 1]);
    if (is_single (values))
      same_bits (single (values), csv(:, k));
      singles += 1;
    else
      printed = sscanf (sprintf ("%.10g\n", values), "%f");
      assert (isequal (printed, csv(:, k)), "column %s differs from the CSV", header{k});
    endif
  endfor
endfunction

## A level-5 file's singles load as single; Octave's reader of 7.3 files turns them into
## doubles, whose values must then all be singles: block signals, never plant quantities.
function yes = is_single (values)
  yes = isa (values, "single") || isequal (double (single (values)), values);
endfunction

function check_replay (dir, time)
  [header, csv] = read_csv (fullfile (dir, "replay.csv"));
  R = load (fullfile (dir, "replay.mat"));
  assert (sort (fieldnames (R))', sort ([header, {"time"}]));
  for k = 1:numel (header)
    assert (size (R.(header{k})), [rows(csv), 1]);
    same_bits (single (R.(header{k})), csv(:, k));
    assert (isequal (double (single (R.(header{k}))), R.(header{k})));
  endfor
  assert (isequal (R.time, time));
endfunction

function [header, values] = read_csv (file)
  fid = fopen (file, "r");
  header = strsplit (strtrim (fgetl (fid)), ",");
  fclose (fid);
  values = dlmread (file, ",", 1, 0);
endfunction
