## corvalent2_simulate of the built-in scenario equals, column by column, the CSV that
## corvalent2 simulate writes: block signals bit for bit, plant quantities as the CSV
## prints them (ten significant digits).
function simulate_test ()
  csv_file = reference_file ("default.csv");
  header = strsplit (strtrim (fgetl_of (csv_file)), ",");
  csv = dlmread (csv_file, ",", 1, 0);

  R = corvalent2_simulate ();
  assert (fieldnames (R)', header);
  assert (rows (csv), 70000);
  for k = 1:numel (header)
    values = R.(header{k});
    assert (size (values), [rows(csv), 1]);
    if (strcmp (class (values), "single"))
      same_bits (values, csv(:, k));
    else
      assert (class (values), "double");
      printed = sscanf (sprintf ("%.10g\n", values), "%f");
      assert (isequal (printed, csv(:, k)), "column %s differs from the CSV", header{k});
    endif
  endfor
  ## The block's 13 inputs and 6 outputs are its singles; the rest are doubles.
  assert (sum (structfun (@(v) isa (v, "single"), R)), 19);

  ## Every 100th step, from a freshly loaded block again.
  D = corvalent2_simulate ("", "decimate", 100);
  assert (D.time_s, R.time_s(1:100:end));
  assert (D.vabcNorm2_a, R.vabcNorm2_a(1:100:end));
endfunction

function line = fgetl_of (file)
  fid = fopen (file, "r");
  line = fgetl (fid);
  fclose (fid);
endfunction
